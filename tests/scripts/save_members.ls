-- --save-members writes every Sound member at exit.
-- args: --save-members members
on startMovie
  m = new(xtra "Marlowtide")
  m.OpenAudio("")
  m.StartRecording(200)
  repeat while m.RecordingNow() = 1
    idle(50)
  end repeat
  put m.SaveAsMember("take")
  put m.SaveAsMember("a/../b")
end
