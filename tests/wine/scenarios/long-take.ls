-- A maximum whose capture buffer DirectSound refuses, then a 60 s take at
-- 44.1 kHz 16-bit stereo on the same object, left to end by itself.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put "open:" && r.OpenAudio("")
  put "format:" && r.SetFormat([#SampleRate: 44.1, #SampleSize: 16, #NumberOfChannels: 2])
  put "huge:" && r.StartRecording(2000000000)
  put "recording after huge:" && r.RecordingNow()
  put "long:" && r.StartRecording(60000)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 180000
    idle(100)
  end repeat
  put "ended after:" && (the milliseconds - begin)
  put "saved:" && r.SaveAsFile("long.wav")
end
