-- Records a short take in every format: 8, 11.025, 22.05 and 44.1 kHz,
-- 8 and 16 bits, mono and stereo, and saves each as a WAV file and a member.
--
--   marlowhost examples/formats.ls

on startMovie
  recorder = new(xtra "Marlowtide")
  put recorder.OpenAudio("")
  put recorder.GetFormat()
  rates = [8.0, 11.025, 22.05, 44.1]
  repeat with r = 1 to count(rates)
    repeat with bits = 1 to 2
      repeat with channels = 1 to 2
        record recorder, rates[r], bits * 8, channels
      end repeat
    end repeat
  end repeat
end

on record recorder, rate, bits, channels
  put recorder.SetFormat([#SampleRate: rate, #SampleSize: bits, #NumberOfChannels: channels])
  recorder.StartRecording(250)
  idle(300)
  name = "take-" & integer(rate * 1000) & "-" & bits & "-" & channels
  put recorder.SaveAsFile(name & ".wav")
  put recorder.SaveAsMember(name)
  put memberInfo(name)
end
