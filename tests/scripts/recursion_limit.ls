-- Endless recursion, here through the Xtra: every flow line calls the flow
-- handler, which calls the object again.
global gRecorder

on startMovie
  gRecorder = new(xtra "Marlowtide")
  gRecorder.PrivateInstance(2, 1, 50)
  gRecorder.CloseAudio()
end

on Marlowtide_XtraFlow where, what
  gRecorder.CloseAudio()
end
