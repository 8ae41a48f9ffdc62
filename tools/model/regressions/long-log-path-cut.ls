-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:1000:0.5 --devices 2 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 2, "input": "sine:1000:0.5", "folders": ["sub", "Jürgen-テイク-🎙", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-"], "handlers": {"E": "PlayStop", "I": "StopRecording", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "PrivateInstance", "a": [3, 1, "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Jürgen-log.txt"]}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  put [1, gR.PrivateInstance(3, 1, "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Jürgen-log.txt"), the milliseconds]
  gS = -1
  put ["END", the milliseconds]
end

on Marlowtide_XtraError report
  global gS, gR, gInE
  put ["E", gS, the milliseconds, report]
  if gInE = 0 and ilk(gR) = #instance then
    gInE = 1
    put ["EN", gS, gR.PlayStop(), the milliseconds]
    gInE = 0
  end if
end

on Marlowtide_InternalError id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.StopRecording(), the milliseconds]
    gInI = 0
  end if
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.StopRecording(), the milliseconds]
    gInI = 0
  end if
end

on Marlowtide_XtraFlow where, what
  global gS, gR, gInF
  put ["F", gS, where, what]
end
