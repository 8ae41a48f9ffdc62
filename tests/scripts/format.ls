-- The recording format: GetFormat, SetFormat with each property and with
-- none usable, and the three single setters.
on startMovie
  m = new(xtra "Marlowtide")
  put m.GetFormat()
  put m.SetFormat([#NumberOfChannels: 2])
  put m.GetFormat()
  put m.SetFormat([#SampleRate: 22.05, #SampleSize: 8])
  put m.GetFormat()
  put m.SetFormat([:])
  put m.SetFormat([#Colour: 1])
  put m.SetFormat([#SampleRate: "fast"])
  put m.SetFormat(5)
  put m.SetFormat([#CompressionType: "abcdef"])
  put m.GetFormat()
  put m.SetFormat([#samplesize: 16, #numberofchannels: 1, #samplerate: 11.025])
  put m.GetFormat()
  put m.SetSampleRate(44.1)
  put m.SetBitsPerSample(8)
  put m.SetChannels(2)
  put m.GetFormat()
  put m.SetSampleRate(8)
  put m.GetFormat()
  put m.SetChannels("two")
  put m.GetFormat()

  -- A format the capture device refuses shows at the next recording.
  put m.OpenAudio("")
  put m.SetFormat([#SampleSize: 0, #NumberOfChannels: 0])
  put m.StartRecording(100)
end
