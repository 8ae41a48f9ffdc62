-- Watches the input level without recording: level metering (GSIL).
-- args: --input square:1000:0.8
--
--   marlowhost --input square:1000:0.8 examples/metering.ls

on startMovie
  recorder = new(xtra "Marlowtide")
  recorder.ShowErrorsAsDialogs(0)
  put recorder.OpenAudio("")
  put recorder.IsGsilActive()

  -- The level is the mean magnitude of the samples of the last 100 ms.
  recorder.StartGetInputLevel(100)
  put recorder.IsGsilActive()
  repeat with i = 1 to 10
    level = recorder.GetInputLevel()
    meter(level[1][#Left], level[1][#Right])
    idle(100)
  end repeat
  put recorder.GetInputLevel()

  recorder.StopGetInputLevel()
  put recorder.IsGsilActive()
  -- Without metering or a recording there is no level.
  put recorder.GetInputLevel()

  -- A recording meters by itself, over its last 50 ms.
  put recorder.StartRecording(1000)
  idle(200)
  put recorder.GetInputLevel()
  put recorder.IsGsilActive()
  put recorder.StopRecording()
end
