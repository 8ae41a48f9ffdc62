-- Input level: before metering (the first failure of the process is
-- reported, later ones are not), metering on and off, during a recording,
-- and refused while playing.
-- args: --input square:500:0.5
on Marlowtide_XtraError report
  put "error handler:" && report[#Description] && "/" && report[#Help]
end

on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.GetInputLevel()
  put m.GetInputLevel()
  other = new(xtra "Marlowtide")
  put other.GetInputLevel()
  other = 0

  put m.StartGetInputLevel()
  put m.OpenAudio("")
  put m.StartGetInputLevel()
  put m.IsGsilActive()
  idle(100)
  put m.GetInputLevel()
  put m.StartGetInputLevel()
  put m.StopGetInputLevel()
  put m.IsGsilActive()
  put m.StopGetInputLevel()
  put m.StartGetInputLevel(20)
  idle(40)
  put m.GetInputLevel()
  -- Metering is no recording: StopRecording leaves it on, and nothing saves meanwhile.
  put m.StopRecording()
  put m.IsGsilActive()
  put m.SaveAsFile("metering.wav")

  -- Recording ends metering and meters by itself.
  put m.StartRecording(500)
  put m.IsGsilActive()
  idle(100)
  put m.GetInputLevel()
  put m.StartGetInputLevel()
  put m.IsGsilActive()
  put m.StopRecording()

  put m.PlaySound()
  put m.StartGetInputLevel()
  put m.IsGsilActive()
  put m.PlayStop()
end
