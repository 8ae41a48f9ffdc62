-- A handler called by the Xtra may call the same object again.
global gRecorder

on startMovie
  gRecorder = new(xtra "Marlowtide")
  gRecorder.ShowErrorsAsDialogs(0)
  put gRecorder.StopRecording()
  put gRecorder.IsAudioOpen()
end

on Marlowtide_XtraError report
  put "in the handler:" && gRecorder.OpenAudio("") && gRecorder.IsAudioOpen()
end
