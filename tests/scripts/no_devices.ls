-- A machine without capture devices.
-- args: --devices 0
on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.FindAudioCaptureDevices()
  put m.OpenAudio("Simulated capture device 1")
  put m.IsAudioOpen()
end
