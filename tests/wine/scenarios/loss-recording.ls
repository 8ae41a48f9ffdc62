-- The headset is pulled out 2 s into a 12 s take (the session does it
-- once the movie says "recording") and plugged in again once the movie
-- waits for it, opening it again until it opens and then recording at
-- once. Each call is timed; reports are put as they come.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  r.PrivateInstance(1, 1)
  put "open:" && r.OpenAudio("Headset Microphone")
  put "record:" && r.StartRecording(12000)
  put "recording"
  begin = the milliseconds
  slowest = 0
  repeat while the milliseconds - begin < 20000
    t = the milliseconds
    now = r.RecordingNow()
    level = r.GetInputLevel()
    if the milliseconds - t > slowest then slowest = the milliseconds - t
    if now = 0 then exit repeat
    idle(50)
  end repeat
  put "ended after:" && (the milliseconds - begin)
  t = the milliseconds
  put "stop:" && r.StopRecording()
  put "save:" && r.SaveAsFile("lost.wav")
  put "close:" && r.CloseAudio()
  if the milliseconds - t > slowest then slowest = the milliseconds - t
  put "slowest call:" && slowest
  put "waiting for the device"
  -- As an author would: OpenAudio until it answers "Ok", then record at once.
  begin = the milliseconds
  answer = r.OpenAudio("Headset Microphone")
  repeat while answer <> "Ok" and the milliseconds - begin < 30000
    idle(250)
    answer = r.OpenAudio("Headset Microphone")
  end repeat
  if answer = "Ok" then
    put "back after:" && (the milliseconds - begin)
  else
    put "back after: -1"
  end if
  put "open again:" && answer
  put "record again:" && r.StartRecording(1500)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 20000
    idle(16)
  end repeat
  put "saved again:" && r.SaveAsFile("again.wav")
end

on Marlowtide_XtraError report
  put "report:" && report[#Description] && "/" && report[#Help]
end

on Marlowtide_InternalError id, message, code
  put "internal:" && message && code
end
