-- Paths Windows refuses: a missing folder, a 499-character path (longer than
-- Windows takes, refused before Windows sees it) and a name with a character
-- Windows forbids. Each fails, and the take saves intact afterwards.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put r.OpenAudio("")
  put r.StartRecording(500)
  repeat while r.RecordingNow() = 1
    idle(16)
  end repeat
  put "missing folder:" && r.SaveAsFile("no-such-folder\take.wav")
  long = ""
  repeat while length(long) < 495
    long = long & "x"
  end repeat
  put "long path" && length(long & ".wav") & ":" && r.SaveAsFile(long & ".wav")
  put "forbidden:" && r.SaveAsFile("bad|name.wav")
  put "intact:" && r.SaveAsFile("take.wav")
end
