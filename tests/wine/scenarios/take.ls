-- A two-second take of the 1 kHz tone at 11.025 kHz 16-bit mono, left to
-- end by itself, with its level read as it records; saved as a file and as
-- a member, with the trace log on a C:\ path.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put r.PrivateInstance(3, 1, "c:\marlow-trace.txt")
  put r.OpenAudio("")
  put r.StartRecording(2000)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1
    level = r.GetInputLevel()
    put "level:" && level[1][#Left] && level[1][#Right] && level[1][#Error]
    idle(100)
    if the milliseconds - begin > 30000 then exit repeat
  end repeat
  put "ended:" && (the milliseconds - begin)
  put "stop:" && r.StopRecording()
  put "file:" && r.SaveAsFile("take.wav")
  put "member:" && r.SaveAsMember("take")
  put memberInfo("take")
  put r.PrivateInstance(3, 0)
end
