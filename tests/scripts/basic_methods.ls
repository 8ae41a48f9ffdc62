-- The methods that need no audio: version, compressors, dialogs switch,
-- the private switchboard's answers, and both ways of calling.
on startMovie
  m = new(xtra "Marlowtide")
  put m
  put ilk(m)
  put m.GetVersionString()
  put GetVersionString(m) = m.getversionstring()
  put m.FindAllAudioCompressors()
  put m.ShowErrorsAsDialogs(1)
  put m.ShowErrorsAsDialogs(2)
  put m.ShowErrorsAsDialogs(0)
  put m.ShowErrorsAsDialogs(-1)
  put m.ShowErrorsAsDialogs("on")
  put m.PrivateGlobal()
  put m.PrivateGlobal(1, 2, 3)
  put m.PrivateInstance(255)
  put m.PrivateInstance(7)
  put m.PrivateInstance()
  put m.PrivateInstance("one")
  put m.IsAudioOpen()
  put m.RecordingNow()
  put m.IsGsilActive()
  put m.IsSoundPlaying()
  put m.PlayStop()
  put m.CloseAudio()
  m = 0
  put "forgotten"
end
