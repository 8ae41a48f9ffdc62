-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:1000:0.5 --devices 1 --director-version 8.5 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "8.5", "devices": 1, "input": "sine:1000:0.5", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "PlayStop", "I": "CloseAudio", "F": "IsAudioOpen"}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "PrivateInstance", "a": [1, 1, "enginefailed"], "form": "function"}, {"op": "call", "m": "StartRecording", "a": [3000]}, {"op": "sim", "what": "capture", "device": 0, "state": "stalled"}, {"op": "idle", "ms": 2000}]}
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
  put [2, PrivateInstance(gR, 1, 1, "enginefailed"), the milliseconds]
  gS = 3
  put [3, gR.StartRecording(3000), the milliseconds]
  gS = 4
  simulate(#captureDevice, 1, #stalled)
  put [4, #sim, the milliseconds]
  gS = 5
  idle(2000)
  put [5, #idle, the milliseconds]
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
    put ["IN", gS, gR.CloseAudio(), the milliseconds]
    gInI = 0
  end if
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.CloseAudio(), the milliseconds]
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
