-- Lists the capture devices of the machine and opens one of them by name.
-- args: --devices 3
--
--   marlowhost --devices 3 examples/devices.ls

on startMovie
  recorder = new(xtra "Marlowtide")
  devices = recorder.FindAudioCaptureDevices()
  put count(devices) && "capture devices"
  repeat with i = 1 to count(devices)
    device = devices[i]
    put i & ":" && device[#DeviceName] && "{" & device[#GUID] & "}" && device[#Module]
  end repeat

  -- A device is opened by its #DeviceName, exactly as listed.
  chosen = devices[count(devices)][#DeviceName]
  put "opening" && QUOTE & chosen & QUOTE
  put recorder.OpenAudio(chosen)
  put recorder.IsAudioOpen()
  put recorder.CloseAudio()

  -- The name must match in letter case too.
  put recorder.OpenAudio("SIMULATED CAPTURE DEVICE 1")
  put recorder.IsAudioOpen()

  -- The empty name opens the default device.
  put recorder.OpenAudio("")
  put recorder.IsAudioOpen()
end

on Marlowtide_XtraError report
  put "error handler:" && report[#Description]
end
