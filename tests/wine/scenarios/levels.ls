-- The input level from the first reading on, with level metering alone and
-- during a recording, at 11.025 kHz mono (a 100 ms window, whose looping
-- buffer is an odd number of bytes) and 44.1 kHz stereo (50 ms).
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put r.OpenAudio("")
  measure r, 11.025, 1, 100
  measure r, 44.1, 2, 50
end

on measure r, rate, channels, window
  put r.SetFormat([#SampleRate: rate, #SampleSize: 16, #NumberOfChannels: channels])
  tag = integer(rate * 1000) & "-" & channels
  r.StartGetInputLevel(window)
  repeat with i = 1 to 12
    level = r.GetInputLevel()
    put "metering" && tag & ":" && level[1][#Left] && level[1][#Right]
    idle(40)
  end repeat
  r.StopGetInputLevel()
  put r.StartRecording(3000)
  repeat with i = 1 to 12
    level = r.GetInputLevel()
    put "recording" && tag & ":" && level[1][#Left] && level[1][#Right]
    idle(40)
  end repeat
  put r.StopRecording()
end
