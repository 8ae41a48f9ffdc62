-- Under a Director that speaks UTF-8: device names in three languages,
-- each opened by its name, and a folder, takes and a trace log named with
-- accents, Japanese and an emoji. The folder is made before the run.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  folder = "Jürgen-テイク-🎙"
  put "log:" && r.PrivateInstance(3, 1, folder & "\ログ-🎙.txt")
  devices = r.FindAudioCaptureDevices()
  repeat with i = 1 to count(devices)
    d = devices[i]
    put "device:" && d[#DeviceName] & "|" & d[#GUID]
  end repeat
  names = ["Mikrofon (USB-Audiogerät)", "Micrófono (Dispositivo de audio USB)", "マイク (USB オーディオ)"]
  repeat with i = 1 to count(names)
    put "open:" && names[i] & "|" & r.OpenAudio(names[i])
    put "record:" && r.StartRecording(1500)
    begin = the milliseconds
    repeat while r.RecordingNow() = 1 and the milliseconds - begin < 30000
      idle(16)
    end repeat
    put "save:" && r.SaveAsFile(folder & "\テイク-" & i & ".wav")
    put "close:" && r.CloseAudio()
  end repeat
  put "log off:" && r.PrivateInstance(3, 0)
end
