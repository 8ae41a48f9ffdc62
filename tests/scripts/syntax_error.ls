-- A syntax error is found before anything runs.
on startMovie
  put "never shown"
  if 1 then
    put 2
  end repeat
end
