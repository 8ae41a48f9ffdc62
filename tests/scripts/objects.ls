-- Objects in variables: each reference counts, the last one going forgets
-- the object before the next statement, and what a movie still holds is
-- forgotten when it stops.
global gKept

on startMovie
  a = new(xtra "Marlowtide")
  a.PrivateInstance(2, 1, 50)
  b = a
  a = 0
  put "a dropped, b still holds it"
  b = VOID
  put "b dropped"
  c = makeOne()
  put "the handler's local went, its result stays:" && c
  c = 0
  gKept = [new(xtra "Marlowtide")]
  gKept[1].PrivateInstance(2, 1, 50)
  put ilk(gKept[1]) && count(gKept)
  put [1, #two, "three"] = [1, #TWO, "Three"]
end

on makeOne
  local = new(xtra "Marlowtide")
  local.PrivateInstance(2, 1, 50)
  return local
end

on stopMovie
  put "stopMovie runs before the objects go"
end

on Marlowtide_XtraFlow where, what
  put where && what
end
