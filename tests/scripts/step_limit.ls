-- An endless loop is ended by the step limit.
on startMovie
  m = new(xtra "Marlowtide")
  n = 0
  repeat while TRUE
    n = n + 1
  end repeat
end
