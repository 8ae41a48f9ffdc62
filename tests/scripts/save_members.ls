-- --save-members writes every Sound member at exit.
-- args: --save-members members
on startMovie
  m = new(xtra "Marlowtide")
  m.OpenAudio("")
  m.StartRecording(200)
  idle(250)
  put m.SaveAsMember("take")
  put m.SaveAsMember("a/../b")
end
