-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input silence --device 'Headset Microphone' --device 'マイク (USB オーディオ)' --device 'Mikrofon (USB-Audiogerät)' --device 'Line In 🎙' --director-version 8.5 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "8.5", "device_names": ["Headset Microphone", "マイク (USB オーディオ)", "Mikrofon (USB-Audiogerät)", "Line In 🎙"], "input": "silence", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": null, "I": "GetVersionString", "F": null}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "StartRecording", "a": [500]}, {"op": "idle", "ms": 600}, {"op": "call", "m": "SaveAsMember", "a": ["a/../b"]}]}
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
  put [2, gR.StartRecording(500), the milliseconds]
  gS = 3
  idle(600)
  put [3, #idle, the milliseconds]
  gS = 4
  put [4, gR.SaveAsMember("a/../b"), the milliseconds, memberInfo("a/../b")]
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
