-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:1000:0.5 --device 'Ligne d'"'"'entrée' --device 'Mikrofon (USB-Audiogerät)' --device 'Virtual Cable' --device 'Üxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx' --director-version none --save-members members
-- walk: {"config": {"platform": "simulator", "director": "none", "device_names": ["Ligne d'entrée", "Mikrofon (USB-Audiogerät)", "Virtual Cable", "Üxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"], "input": "sine:1000:0.5", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "GetVersionString", "I": "StopRecording", "F": "IsAudioOpen"}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "PrivateInstance", "a": [1, 1]}, {"op": "call", "m": "SaveAsFile", "a": ["Jürgen-テイク-🎙/take two.wav"]}]}
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
  put [2, gR.SaveAsFile("Jürgen-テイク-🎙/take two.wav"), the milliseconds]
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
  if gInF = 0 and ilk(gR) = #instance then
    gInF = 1
    put ["FN", gS, gR.IsAudioOpen(), the milliseconds]
    gInF = 0
  end if
end
