-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input square:250:0.8 --devices 12 --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "devices": 12, "input": "square:250:0.8", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "IsAudioOpen", "I": "CloseAudio", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "sim", "what": "never", "count": 2}, {"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartRecording", "a": [5000]}, {"op": "call", "m": "SetBitsPerSample", "a": [24]}, {"op": "idle", "ms": 2100}, {"op": "call", "m": "StopRecording", "a": []}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  simulate(#neverDeliver, 2)
  put [1, #sim, the milliseconds]
  gS = 2
  put [2, gR.OpenAudio(""), the milliseconds]
  gS = 3
  put [3, gR.StartRecording(5000), the milliseconds]
  gS = 4
  put [4, gR.SetBitsPerSample(24), the milliseconds]
  gS = 5
  idle(2100)
  put [5, #idle, the milliseconds]
  gS = 6
  put [6, gR.StopRecording(), the milliseconds]
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
end
