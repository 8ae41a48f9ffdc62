-- Recording: before opening, twice, stopped by hand, and ended by the
-- idle notification when the buffer is full.
on Marlowtide_XtraError report
  put "error handler:" && report[#Description] && "/" && report[#Help]
end

on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.StartRecording(1000)
  put m.StopRecording()
  put m.OpenAudio("")
  put m.StopRecording()
  put m.StartRecording(1000)
  put m.RecordingNow()
  put m.StartRecording(1000)
  idle(500)
  put m.RecordingNow()
  put m.StopRecording()
  put m.RecordingNow()
  put m.SaveAsMember("half")
  put memberInfo("half")

  -- The idle notification notices the full buffer without a call.
  put m.StartRecording(300)
  idle(400)
  put m.RecordingNow()
  put m.StopRecording()
  put m.SaveAsMember("full")
  put memberInfo("full")

  -- A member name of 500 bytes is refused, not cut to another's 499.
  long = "full"
  repeat with i = 1 to 123
    long = long & "-abc"
  end repeat
  put m.SaveAsMember(long & "wxyz")
  put m.SaveAsMember(long & "xyz")
  put memberInfo(long & "xyz")[#number]

  -- A zero maximum records nothing but the 200 spare bytes.
  put m.StartRecording(0)
  idle(50)
  put m.RecordingNow()
  put m.SaveAsMember("empty")
  put memberInfo("empty")
end
