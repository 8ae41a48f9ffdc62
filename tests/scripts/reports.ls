-- The three movie handlers: user errors with their report, message boxes
-- on and off, flow lines by level, internal errors to a named handler.
-- The instance id is an address: shown only as whether it is an integer.
on Marlowtide_XtraError report
  put "XtraError" && [count(report), report[#XtraName], report[#TYPE], ilk(report[#Id]), report[#Description], report[#Help]]
end

on Marlowtide_XtraFlow where, what
  put "XtraFlow" && [where, what]
end

on Marlowtide_InternalError id, message, code
  put "InternalError" && [ilk(id), message, code]
end

on Watcher id, message, code
  put "Watcher" && [ilk(id), message, code]
end

on startMovie
  m = new(xtra "Marlowtide")
  put m.OpenAudio(0)

  -- Dialogs off: the handler still hears of it.
  put m.ShowErrorsAsDialogs(0)
  put m.OpenAudio(0)

  -- Flow lines at threshold 50, then every line from threshold -1.
  put m.PrivateInstance(2, 1)
  put m.IsAudioOpen()
  put m.CloseAudio()
  put m.PrivateInstance(2, 1, -1)
  put m.IsAudioOpen()
  put m.PrivateInstance(2, 256)
  put m.CloseAudio()

  -- Internal errors go nowhere until routed.
  put m.StartRecording(10)
  put m.PrivateInstance(1, 1, "Watcher")
  put m.StartRecording(10)
  put m.OpenAudio("")
  put m.StartRecording(100)
  idle(200)
  put m.StartRecording(1000)
  -- A take exists: the copy refuses first, then PlaySound.
  put m.PlaySound()
  put m.StopRecording()
  put m.PrivateInstance(1, 1, "Marlowtide_InternalError")
  put m.SetFormat([:])
  put m.PrivateInstance(1, 0)
  put m.StartRecording(10)

  -- The trace log file: on, on again (nothing changes), off.
  put m.PrivateInstance(3, 1, "trace.txt")
  put m.PrivateInstance(3, 1, "other.txt")
  put m.OpenAudio(1)
  put m.PrivateInstance(3, 0)
end
