-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:440:0.5 --devices 3 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 3, "input": "sine:440:0.5", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "IsAudioOpen", "I": "IsAudioOpen", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "PrivateInstance", "a": [1, 1]}, {"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartGetInputLevel", "a": ["x"]}, {"op": "call", "m": "StopRecording", "a": []}, {"op": "call", "m": "PlaySound", "a": []}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  put [1, gR.PrivateInstance(1, 1), the milliseconds]
  gS = 2
  put [2, gR.OpenAudio(""), the milliseconds]
  gS = 3
  put [3, gR.StartGetInputLevel("x"), the milliseconds]
  gS = 4
  put [4, gR.StopRecording(), the milliseconds]
  gS = 5
  put [5, gR.PlaySound(), the milliseconds]
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
end
