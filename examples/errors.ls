-- What the Xtra tells a movie: the three movie handlers, flow tracing,
-- wrong calls, and internal errors routed to a handler of our choosing.

on startMovie
  recorder = new(xtra "Marlowtide")

  -- Wrong calls reach Marlowtide_XtraError, and a message box while
  -- dialogs are on.
  put recorder.OpenAudio(42)
  put recorder.StartRecording("long")
  put recorder.ShowErrorsAsDialogs(0)
  put recorder.SaveAsMember(7)
  put recorder.StopRecording()

  -- Flow tracing: level 50 and up at first; PrivateInstance(2, on, threshold).
  put recorder.PrivateInstance(2, 1, 50)
  put recorder.CloseAudio()
  put recorder.PrivateInstance(2, 0)

  -- Internal errors: every failure of the engine, as it happens.
  put recorder.PrivateInstance(1, 1, "OnEngineFailure")
  put recorder.StartRecording(1000)
  put recorder.PlaySound()
  put recorder.PrivateInstance(1, 0, "Marlowtide_InternalError")
  put recorder.StartRecording(1000)

  put recorder.PrivateInstance(255)
end

on Marlowtide_XtraError report
  put "XtraError:" && report[#Description] && "/" && report[#Help]
end

on Marlowtide_XtraFlow where, what
  put "XtraFlow:" && where && what
end

on Marlowtide_InternalError id, message, code
  put "InternalError:" && message && code
end

on OnEngineFailure id, message, code
  put "OnEngineFailure:" && message && "(" & code & ")"
end
