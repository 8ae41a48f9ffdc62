-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:440:0.5 --device 'Mikrofon (USB-Audiogerät)' --device 'Ligne d'"'"'entrée' --director-version 8.5 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "8.5", "device_names": ["Mikrofon (USB-Audiogerät)", "Ligne d'entrée"], "input": "sine:440:0.5", "folders": ["sub", "Jürgen-テイク-🎙", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ/録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ録音フォルダ", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-", "Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-/Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-Aufnahmen-Jürgen-"], "handlers": {"E": "IsAudioOpen", "I": "IsAudioOpen", "F": "IsAudioOpen"}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartRecording", "a": [300], "form": "function"}, {"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "SampleRate"}, {"f": 0.0}], [{"s": "NumberOfChannels"}, 2], [{"s": "SampleSize"}, 0]]}], "form": "function"}, {"op": "idle", "ms": 300}, {"op": "call", "m": "SaveAsMember", "a": ["take"]}, {"op": "call", "m": "PlaySound", "a": []}]}
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
  put [2, StartRecording(gR, 300), the milliseconds]
  gS = 3
  put [3, SetFormat(gR, [#SampleRate: 0.000000, #NumberOfChannels: 2, #SampleSize: 0]), the milliseconds]
  gS = 4
  idle(300)
  put [4, #idle, the milliseconds]
  gS = 5
  put [5, gR.SaveAsMember("take"), the milliseconds, memberInfo("take")]
  gS = 6
  put [6, gR.PlaySound(), the milliseconds]
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
