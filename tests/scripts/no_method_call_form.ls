-- The same in the call form; the object is still forgotten at the end.
on startMovie
  m = new(xtra "Marlowtide")
  m.PrivateInstance(2, 1, 50)
  Rewind(m, 0)
end

on Marlowtide_XtraFlow where, what
  put where && what
end
