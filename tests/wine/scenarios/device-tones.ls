-- The session's extra capture devices, each hearing its own tone: each
-- opened by its name and recorded, closing one before opening the next; the
-- default device; and two objects recording two devices at the same time.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  devices = r.FindAudioCaptureDevices()
  repeat with i = 1 to count(devices)
    put "device:" && devices[i][#DeviceName]
  end repeat
  names = ["Headset Microphone", "Line In", "Virtual Cable"]
  repeat with i = 1 to count(names)
    put names[i] && "open:" && r.OpenAudio(names[i])
    put names[i] && "take:" && take(r, 1500, "device-" & i & ".wav")
    put names[i] && "close:" && r.CloseAudio()
  end repeat
  put "default open:" && r.OpenAudio("")
  put "default take:" && take(r, 1500, "default.wav")
  r.CloseAudio()
  a = new(xtra "Marlowtide")
  b = new(xtra "Marlowtide")
  a.ShowErrorsAsDialogs(0)
  b.ShowErrorsAsDialogs(0)
  put "both open:" && a.OpenAudio("Line In") && b.OpenAudio("Virtual Cable")
  put "both record:" && a.StartRecording(1500) && b.StartRecording(1500)
  begin = the milliseconds
  repeat while (a.RecordingNow() = 1 or b.RecordingNow() = 1) and the milliseconds - begin < 20000
    idle(16)
  end repeat
  put "both saved:" && a.SaveAsFile("both-a.wav") && b.SaveAsFile("both-b.wav")
end

-- Records ms milliseconds, left to end by itself, and saves the take.
on take r, ms, file
  started = r.StartRecording(ms)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 20000
    idle(16)
  end repeat
  return started && r.SaveAsFile(file)
end
