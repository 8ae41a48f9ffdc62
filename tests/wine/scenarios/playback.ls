-- Playback really plays: object A records the 440 Hz tone the session plays
-- once it is waiting for it; when the tone has ended, A plays the take while
-- object B records the sink's monitor.
on startMovie
  a = new(xtra "Marlowtide")
  b = new(xtra "Marlowtide")
  a.ShowErrorsAsDialogs(0)
  b.ShowErrorsAsDialogs(0)
  put a.OpenAudio("")
  put b.OpenAudio("")
  b.StartGetInputLevel(50)
  put "waiting for the tone"
  put "tone heard:" && waitForLevel(b, 3000, 1)
  put "a records:" && a.StartRecording(1500)
  repeat while a.RecordingNow() = 1
    idle(16)
  end repeat
  put "a saved:" && a.SaveAsFile("a.wav")
  put "tone over:" && waitForLevel(b, 100, 0)
  b.StopGetInputLevel()
  put "b records:" && b.StartRecording(4000)
  put "a plays:" && a.PlaySound()
  begin = the milliseconds
  repeat while a.IsSoundPlaying() = 1
    idle(10)
    if the milliseconds - begin > 10000 then exit repeat
  end repeat
  put "played:" && (the milliseconds - begin)
  repeat while b.RecordingNow() = 1
    idle(16)
  end repeat
  put "b saved:" && b.SaveAsFile("b.wav")
end

-- Waits (at most 20 s) until the level is above the threshold (above = 1)
-- or below it (above = 0); answers the milliseconds waited, or -1.
on waitForLevel r, threshold, above
  begin = the milliseconds
  repeat while the milliseconds - begin < 20000
    level = r.GetInputLevel()
    left = level[1][#Left]
    if above and left > threshold then return the milliseconds - begin
    if not above and left < threshold then return the milliseconds - begin
    idle(20)
  end repeat
  return -1
end
