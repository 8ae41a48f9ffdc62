-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:97:0.9 --devices 12 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 12, "input": "sine:97:0.9", "folders": ["sub", "Jürgen-テイク-🎙", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-"], "handlers": {"E": "GetVersionString", "I": "IsAudioOpen", "F": "IsAudioOpen"}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "SampleSize"}, 8], [{"s": "SampleRate"}, {"f": 0.0}]]}], "form": "function"}, {"op": "call", "m": "StartGetInputLevel", "a": [], "fault": ["CreateCaptureBuffer", -2005401590, 1]}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  put [1, gR.OpenAudio(""), the milliseconds]
  gS = 2
  put [2, SetFormat(gR, [#SampleSize: 8, #SampleRate: 0.000000]), the milliseconds]
  gS = 3
  simulate(#fault, "CreateCaptureBuffer", -2005401590, 1)
  put [3, gR.StartGetInputLevel(), the milliseconds]
  simulate(#clearFaults)
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
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.IsAudioOpen(), the milliseconds]
    gInI = 0
  end if
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.IsAudioOpen(), the milliseconds]
    gInI = 0
  end if
end

on Marlowtide_XtraFlow where, what
  global gS, gR, gInF
  put ["F", gS, where, what]
  if gInF = 0 and ilk(gR) = #instance then
    gInF = 1
    put ["FN", gS, gR.IsAudioOpen(), the milliseconds]
    gInF = 0
  end if
end
