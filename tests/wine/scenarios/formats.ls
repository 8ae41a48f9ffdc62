-- A take in every format, each left to end by itself at its maximum, and
-- four whose capture buffer is a whole number of Wine's 10 ms packets (Wine
-- never stops such a buffer by itself).
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put r.OpenAudio("")
  rates = [8.0, 11.025, 22.05, 44.1]
  repeat with i = 1 to count(rates)
    repeat with bits = 1 to 2
      repeat with channels = 1 to 2
        record r, rates[i], bits * 8, channels, 250
      end repeat
    end repeat
  end repeat
  record r, 8.0, 8, 1, 255
  record r, 11.025, 16, 1, 400
  record r, 11.025, 16, 2, 205
  record r, 22.05, 16, 1, 226
end

on record r, rate, bits, channels, ms
  r.SetFormat([#SampleRate: rate, #SampleSize: bits, #NumberOfChannels: channels])
  name = "take-" & integer(rate * 1000) & "-" & bits & "-" & channels & "-" & ms
  started = r.StartRecording(ms)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1
    idle(16)
    if the milliseconds - begin > 10000 then exit repeat
  end repeat
  put name & ":" && started && r.SaveAsFile(name & ".wav")
end
