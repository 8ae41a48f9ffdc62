-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:440:0.5 --devices 2 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 2, "input": "sine:440:0.5", "folders": ["sub", "Jürgen-テイク-🎙", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-"], "handlers": {"E": "IsAudioOpen", "I": "StopRecording", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartRecording", "a": [3000]}, {"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "NumberOfChannels"}, 1], [{"s": "SampleRate"}, {"f": 96.0}], [{"s": "SampleSize"}, 32]]}]}, {"op": "idle", "ms": 2100}, {"op": "call", "m": "SaveAsMember", "a": ["a/../b"]}]}
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
  put [2, gR.StartRecording(3000), the milliseconds]
  gS = 3
  put [3, gR.SetFormat([#NumberOfChannels: 1, #SampleRate: 96.000000, #SampleSize: 32]), the milliseconds]
  gS = 4
  idle(2100)
  put [4, #idle, the milliseconds]
  gS = 5
  put [5, gR.SaveAsMember("a/../b"), the milliseconds, memberInfo("a/../b")]
  gS = -1
  put ["END", the milliseconds]
end

on Marlowtide_XtraError report
  global gS, gR, gInE
  put ["E", gS, the milliseconds, report]
  if gInE = 0 and ilk(gR) = #instance then
    gInE = 1
    put ["EN", gS, gR.IsAudioOpen(), the milliseconds]
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
