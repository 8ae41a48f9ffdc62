-- Wine's capture devices, each opened by its name and recorded from, and a
-- name no device has.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  devices = r.FindAudioCaptureDevices()
  put "count:" && count(devices)
  repeat with i = 1 to count(devices)
    d = devices[i]
    put "device:" && d[#DeviceName] & "|" & d[#GUID] & "|" & d[#Module]
    put "open:" && r.OpenAudio(d[#DeviceName])
    put "record:" && r.StartRecording(300)
    begin = the milliseconds
    repeat while r.RecordingNow() = 1 and the milliseconds - begin < 10000
      idle(16)
    end repeat
    put "stop:" && r.RecordingNow() && r.SaveAsFile("device-" & i & ".wav")
    put "close:" && r.CloseAudio()
  end repeat
  put "unknown:" && r.OpenAudio("No Such Capture Device")
  put "still open:" && r.IsAudioOpen()
end
