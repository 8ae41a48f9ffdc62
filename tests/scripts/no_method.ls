-- A method the Xtra does not have ends the script with its line.
on startMovie
  m = new(xtra "Marlowtide")
  put m.IsAudioOpen()
  m.StartPlayback()
  put "not reached"
end
