-- make demo: records a spoken sentence from the default capture device with
-- a live level meter, stops a second after the voice has ended, plays the
-- take back, and keeps it as take.wav and as the Sound member "take".
on startMovie
  recorder = new(xtra "Marlowtide")
  put recorder.GetVersionString()
  put recorder.OpenAudio("")
  put recorder.StartRecording(12000)
  put "recording: speak now"
  started = the milliseconds
  heard = 0
  quietSince = started
  repeat while recorder.RecordingNow()
    level = recorder.GetInputLevel()
    meter(level[1][#Left], level[1][#Right])
    if level[1][#Left] > 300 then
      heard = 1
      quietSince = the milliseconds
    else if heard and the milliseconds - quietSince > 1000 then
      exit repeat
    end if
    idle(50)
  end repeat
  put recorder.StopRecording()
  put "recorded:" && (the milliseconds - started) && "ms"

  put recorder.PlaySound()
  started = the milliseconds
  repeat while recorder.IsSoundPlaying()
    idle(100)
  end repeat
  put "played:" && (the milliseconds - started) && "ms"

  put recorder.SaveAsFile("take.wav")
  put recorder.SaveAsMember("take")
  put memberInfo("take")
  put recorder.CloseAudio()
end
