-- Opening and closing the capture device, and the messages of each refusal.
-- args: --devices 2
on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.CloseAudio()
  put m.IsAudioOpen()
  put m.OpenAudio("")
  put m.IsAudioOpen()
  put m.OpenAudio("")
  put m.IsAudioOpen()
  put m.CloseAudio()
  put m.IsAudioOpen()
  put m.CloseAudio()
  put m.OpenAudio("Simulated capture device 2")
  put m.IsAudioOpen()
  put m.CloseAudio()
  put m.OpenAudio("simulated capture device 2")
  put m.IsAudioOpen()
  put m.OpenAudio("No such device")
  put m.IsAudioOpen()
  put m.FindAudioCaptureDevices()
end
