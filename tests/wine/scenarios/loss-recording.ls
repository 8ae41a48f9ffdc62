-- The headset is pulled out 2 s into a 12 s take (the session does it
-- once the movie says "recording") and plugged in again once the movie
-- waits for it. Each call is timed; reports are put as they come.
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
  put "back after:" && openWhenBack(r, "Headset Microphone")
  put "record again:" && r.StartRecording(1500)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 20000
    idle(16)
  end repeat
  put "saved again:" && r.SaveAsFile("again.wav")
end

-- As an author would write it: OpenAudio by the device's name every
-- 250 ms (at most 30 s) until it answers "Ok", and nothing more; answers
-- the milliseconds waited, or -1.
on openWhenBack r, name
  begin = the milliseconds
  repeat while the milliseconds - begin < 30000
    if r.OpenAudio(name) = "Ok" then return the milliseconds - begin
    idle(250)
  end repeat
  return -1
end

on Marlowtide_XtraError report
  put "report:" && report[#Description] && "/" && report[#Help]
end

on Marlowtide_InternalError id, message, code
  put "internal:" && message && code
end
