-- Under Director 8.5, whose text is the ANSI code page: the Latin names and
-- paths work; the Japanese device, whose name the code page cannot hold,
-- opens by its GUID; a Japanese path fails and writes nothing.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  folder = "Jürgen"
  put "log:" && r.PrivateInstance(3, 1, folder & "\Protokoll-ü.txt")
  devices = r.FindAudioCaptureDevices()
  japanese = ""
  repeat with i = 1 to count(devices)
    d = devices[i]
    put "device:" && d[#DeviceName] & "|" & d[#GUID]
    if d[#DeviceName] = "??? (USB ?????)" then japanese = d[#GUID]
  end repeat
  names = ["Mikrofon (USB-Audiogerät)", "Micrófono (Dispositivo de audio USB)", japanese]
  repeat with i = 1 to count(names)
    put "open:" && names[i] & "|" & r.OpenAudio(names[i])
    put "record:" && r.StartRecording(1500)
    begin = the milliseconds
    repeat while r.RecordingNow() = 1 and the milliseconds - begin < 30000
      idle(16)
    end repeat
    put "save:" && r.SaveAsFile(folder & "\Aufnahme-ä-" & i & ".wav")
    if i = 3 then put "japanese path:" && r.SaveAsFile(folder & "\テイク.wav")
    put "close:" && r.CloseAudio()
  end repeat
  put "log off:" && r.PrivateInstance(3, 0)
end
