-- Under a Director that speaks UTF-8: device names in three languages,
-- each opened by its name, and a folder, takes and a trace log named with
-- accents, Japanese and an emoji. The folder is made before the run, with
-- two folders of 80 katakana inside: a path of 220 UTF-16 units (629 bytes)
-- is written whole, one of 260, longer than Windows takes, is refused.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  folder = "Jürgen-テイク-🎙"
  k40 = ""
  repeat with i = 1 to 40
    k40 = k40 & "テ"
  end repeat
  deep = folder & "\" & k40 & k40 & "\" & k40 & k40 & "\"
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
    if i = 3 then
      put "long path:" && r.SaveAsFile(deep & k40 & ".wav")
      put "too long path:" && r.SaveAsFile(deep & k40 & k40 & ".wav")
    end if
    put "close:" && r.CloseAudio()
  end repeat
  put "log off:" && r.PrivateInstance(3, 0)
end
