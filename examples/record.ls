-- Records three seconds from the default capture device with a live level
-- meter, plays the take back, and keeps it as take.wav and as the Sound
-- member "take".
--
--   marlowhost examples/record.ls

on startMovie
  recorder = new(xtra "Marlowtide")
  put recorder.GetVersionString()
  put recorder.OpenAudio("")

  -- Room for five seconds; we stop after three.
  put recorder.StartRecording(5000)
  started = the milliseconds
  repeat while the milliseconds - started < 3000
    showLevel(recorder.GetInputLevel())
    idle(100)
  end repeat
  put recorder.StopRecording()

  put recorder.PlaySound()
  started = the milliseconds
  repeat while recorder.IsSoundPlaying()
    idle(500)
    put "playing:" && (the milliseconds - started) && "ms"
  end repeat

  put recorder.SaveAsFile("take.wav")
  put recorder.SaveAsMember("take")
  put recorder.GetFormat()
  put memberInfo("take")
  put recorder.CloseAudio()
  recorder = 0
end

-- GetInputLevel answers [[#Left: n, #Right: n, #Error: "Ok"]], or an error text.
on showLevel level
  if ilk(level) = #list then
    meter(level[1][#Left], level[1][#Right])
  else
    put level
  end if
end
