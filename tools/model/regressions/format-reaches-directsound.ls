-- A random walk of tools/model, checked against the model of docs/lingo.md.
-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).
-- args: --clock manual --input sine:440:0.5 --device 'Ligne d'"'"'entrée' --device 'Virtual Cable' --device 'Micrófono (Dispositivo de audio USB)' --director-version 12.0 --save-members members
-- walk: {"config": {"platform": "simulator", "director": "12.0", "device_names": ["Ligne d'entrée", "Virtual Cable", "Micrófono (Dispositivo de audio USB)"], "input": "sine:440:0.5", "folders": ["sub", "Jürgen-テイク-🎙"], "handlers": {"E": "RecordingNow", "I": null, "F": "IsAudioOpen"}, "bystanders": {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}}, "steps": [{"op": "call", "m": "OpenAudio", "a": [""]}, {"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "NumberOfChannels"}, 0], [{"s": "SampleSize"}, 12], [{"s": "SampleRate"}, {"f": 11.025}]]}]}, {"op": "call", "m": "SetFormat", "a": [{"p": [[{"s": "SampleSize"}, {"f": 16.0}], [{"s": "NumberOfChannels"}, 1], [{"s": "SampleRate"}, {"f": 96.0}]]}]}, {"op": "call", "m": "StartRecording", "a": [2147483647]}]}
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
  put [2, gR.SetFormat([#NumberOfChannels: 0, #SampleSize: 12, #SampleRate: 11.025000]), the milliseconds]
  gS = 3
  put [3, gR.SetFormat([#SampleSize: 16.000000, #NumberOfChannels: 1, #SampleRate: 96.000000]), the milliseconds]
  gS = 4
  put [4, gR.StartRecording(2147483647), the milliseconds]
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
end

on EngineFailed id, message, code
  global gS, gR, gInI
  put ["I", gS, the milliseconds, id, message, code]
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
