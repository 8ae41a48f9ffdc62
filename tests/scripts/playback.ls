-- Playback: refusals, a take played to its end, stopped, played again.
on Marlowtide_XtraError report
  put "error handler:" && report[#Description] && "/" && report[#Help]
end

on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.PlaySound()
  put m.OpenAudio("")
  put m.PlaySound()
  put m.StartRecording(1000)
  idle(200)
  put m.PlaySound()
  put m.StopRecording()
  put m.PlaySound()
  put m.IsSoundPlaying()
  put m.PlaySound()
  put m.StartRecording(100)
  idle(1000)
  put m.IsSoundPlaying()
  put m.PlaySound()
  idle(50)
  put m.PlayStop()
  put m.IsSoundPlaying()
  put m.PlayStop()
  put m.PlaySound()
  put m.IsSoundPlaying()
  put m.CloseAudio()
  put m.IsSoundPlaying()
end
