-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:97:0.9 --devices 1 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 1, "input": "sine:97:0.9", "folders": ["sub", "Jürgen-テイク-🎙", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-"], "handlers": {"E": "GetVersionString", "I": null, "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "sim", "what": "wide", "on": 1}, {"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "SetBitsPerSample", "a": [24]}, {"op": "call", "m": "StartGetInputLevel", "a": [7]}, {"op": "call", "m": "GetInputLevel", "a": []}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  simulate(#wideSamples, 1)
  put [1, #sim, the milliseconds]
  gS = 2
  put [2, gR.OpenAudio(""), the milliseconds]
  gS = 3
  put [3, gR.SetBitsPerSample(24), the milliseconds]
  gS = 4
  put [4, gR.StartGetInputLevel(7), the milliseconds]
  gS = 5
  put [5, gR.GetInputLevel(), the milliseconds]
  gS = -1
  put ["END", the milliseconds]
end

on Marlowtide_XtraError report
  global gS, gR, gInE
  put ["E", gS, the milliseconds, report]
  if gInE = 0 and ilk(gR) = #instance then
    gInE = 1
    put ["EN", gS, gR.GetVersionString(), the milliseconds]
    gInE = 0
  end if
end

on Marlowtide_InternalError id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
end

on Marlowtide_XtraFlow where, what
  global gS, gR, gInF
  put ["F", gS, where, what]
end
