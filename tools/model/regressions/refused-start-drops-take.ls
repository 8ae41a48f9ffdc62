-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input noise:0.3 --devices 12 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 12, "input": "noise:0.3", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": null, "I": null, "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartRecording", "a": [5000]}, {"op": "idle", "ms": 7000}, {"op": "call", "m": "StartGetInputLevel", "a": [], "fault": ["CaptureStart", -2005401500, 0]}, {"op": "call", "m": "SaveAsFile", "a": ["take two.wav"], "form": "function"}]}
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
  put [2, gR.StartRecording(5000), the milliseconds]
  gS = 3
  idle(7000)
  put [3, #idle, the milliseconds]
  gS = 4
  simulate(#fault, "CaptureStart", -2005401500, 0)
  put [4, gR.StartGetInputLevel(), the milliseconds]
  simulate(#clearFaults)
  gS = 5
  put [5, SaveAsFile(gR, "take two.wav"), the milliseconds]
  gS = -1
  put ["END", the milliseconds]
end

on Marlowtide_XtraError report
  global gS, gR, gInE
  put ["E", gS, the milliseconds, report]
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
