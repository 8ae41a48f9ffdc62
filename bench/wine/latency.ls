-- Figures of the real path under Wine, printed for bench/wine-figures.sh:
--   start: how long the StartRecording call takes, how long from its
--     beginning to the first captured packet (the first level above
--     nothing), and, for a take stopped a second later, the take's length
--     less the time from that first packet to the StopRecording call (a
--     take that keeps every packet delivered before the call is at most a
--     packet short of it), twenty times;
--   step: a step in the input to the level showing it. Object A plays a
--     take of the 1 kHz tone into silence while object B meters (50 ms
--     window): the milliseconds from PlaySound to B's first level above
--     nothing, and to B's level above half the tone's, ten times.
on startMovie
  a = new(xtra "Marlowtide")
  b = new(xtra "Marlowtide")
  a.ShowErrorsAsDialogs(0)
  b.ShowErrorsAsDialogs(0)
  put a.OpenAudio("")
  put b.OpenAudio("")
  put "ready for the tone"

  -- The tone plays: A keeps a take of it, and StartRecording is timed.
  repeat with i = 1 to 20
    begin = the milliseconds
    a.StartRecording(5000)
    started = the milliseconds - begin
    repeat while the milliseconds - begin < 2000
      level = a.GetInputLevel()
      if level[1][#Left] > 0 then exit repeat
    end repeat
    heard = the milliseconds - begin
    idle(1000)
    stopped = the milliseconds - begin
    a.StopRecording()
    a.SaveAsMember("take")
    kept = memberInfo("take")[#duration]
    put "start:" && started && heard && (kept - (stopped - heard))
  end repeat

  -- Then silence (the session's tone is 20 s long): wait for it, and step
  -- into it with A's take.
  b.StartGetInputLevel(50)
  put "silence after:" && waitForLevel(b, 100, 0)
  repeat with i = 1 to 10
    put a.PlaySound()
    begin = the milliseconds
    arrived = -1
    repeat while the milliseconds - begin < 3000
      level = b.GetInputLevel()
      left = level[1][#Left]
      if arrived < 0 and left > 0 then arrived = the milliseconds - begin
      if left > 5215 then exit repeat
      idle(1)
    end repeat
    put "step:" && arrived && (the milliseconds - begin)
    repeat while a.IsSoundPlaying() = 1
      idle(16)
    end repeat
    waitForLevel b, 100, 0
  end repeat
end

on waitForLevel r, threshold, above
  begin = the milliseconds
  repeat while the milliseconds - begin < 40000
    level = r.GetInputLevel()
    left = level[1][#Left]
    if above and left > threshold then return the milliseconds - begin
    if not above and left < threshold then return the milliseconds - begin
    idle(20)
  end repeat
  return -1
end
