-- Every argument the dispatcher checks, given wrong or left out: each is
-- reported to Marlowtide_XtraError and in a message box, and answers "Ok".
-- The instance id is an address: shown only as whether it is an integer.
on Marlowtide_XtraError report
  put "error handler:" && [count(report), report[#XtraName], report[#TYPE], ilk(report[#Id]), report[#Description], report[#Help]]
end

on startMovie
  m = new(xtra "Marlowtide")
  put m.OpenAudio(5)
  put m.OpenAudio()
  put m.OpenAudio([1])
  put m.IsAudioOpen()
  put m.StartRecording("3000")
  put m.StartRecording()
  put m.StartRecording(#long)
  put m.SaveAsMember(7)
  put m.SaveAsMember()
  put m.SaveAsFile(7)
  put m.SaveAsFile()
  put m.RecordingNow()
end
