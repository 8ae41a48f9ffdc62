-- The memory of the program at every step of a long take, for
-- bench/wine-figures.sh: each step is put as "step: NAME" and followed by a
-- pause, in which the session samples the program's memory.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put "open:" && r.OpenAudio("")
  put "format:" && r.SetFormat([#SampleRate: 44.1, #SampleSize: 16, #NumberOfChannels: 2])
  step "before"
  put "step: record"
  put "record:" && r.StartRecording(600000)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 900000
    idle(200)
  end repeat
  put "recorded after:" && (the milliseconds - begin)
  step "stopped"
  put "step: save to a file"
  put "file:" && r.SaveAsFile("long.wav")
  step "saved to a file"
  put "step: save as a member"
  put "member:" && r.SaveAsMember("long")
  step "saved as a member"
  put "step: play"
  put "play:" && r.PlaySound()
  begin = the milliseconds
  repeat while r.IsSoundPlaying() = 1 and the milliseconds - begin < 1200000
    idle(200)
  end repeat
  put "played after:" && (the milliseconds - begin)
  step "played"
  put "done"
end

-- Puts the step and waits two seconds in it.
on step name
  put "step:" && name
  idle(2000)
end
