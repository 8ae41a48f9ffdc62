-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:97:0.9 --devices 1 --director-version 8.5 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "8.5", "devices": 1, "input": "sine:97:0.9", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "RecordingNow", "I": "GetVersionString", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "SampleSize"}, 16], [{"s": "NumberOfChannels"}, 2], [{"s": "SampleRate"}, {"f": 22.05}]]}]}, {"op": "call", "m": "OpenAudio", "a": ["Simulated capture device 1"]}, {"op": "call", "m": "StartGetInputLevel", "a": [7]}, {"op": "idle", "ms": 300}, {"op": "call", "m": "PlaySound", "a": []}, {"op": "call", "m": "SaveAsMember", "a": ["second"]}]}
global gR, gS, gInE, gInI, gInF

on startMovie
  gS = 0
  gInE = 0
  gInI = 0
  gInF = 0
  gR = new(xtra "Marlowtide")
  put ["T0", the milliseconds]
  gS = 1
  put [1, gR.SetFormat([#SampleSize: 16, #NumberOfChannels: 2, #SampleRate: 22.050000]), the milliseconds]
  gS = 2
  put [2, gR.OpenAudio("Simulated capture device 1"), the milliseconds]
  gS = 3
  put [3, gR.StartGetInputLevel(7), the milliseconds]
  gS = 4
  idle(300)
  put [4, #idle, the milliseconds]
  gS = 5
  put [5, gR.PlaySound(), the milliseconds]
  gS = 6
  put [6, gR.SaveAsMember("second"), the milliseconds, memberInfo("second")]
  gS = -1
  put ["END", the milliseconds]
end

on Marlowtide_XtraError report
  global gS, gR, gInE
  put ["E", gS, the milliseconds, report]
  if gInE = 0 and ilk(gR) = #instance then
    gInE = 1
    put ["EN", gS, gR.RecordingNow(), the milliseconds]
    gInE = 0
  end if
end

on Marlowtide_InternalError id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.GetVersionString(), the milliseconds]
    gInI = 0
  end if
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
  if gInI = 0 and ilk(gR) = #instance then
    gInI = 1
    put ["IN", gS, gR.GetVersionString(), the milliseconds]
    gInI = 0
  end if
end

on Marlowtide_XtraFlow where, what
  global gS, gR, gInF
  put ["F", gS, where, what]
end
