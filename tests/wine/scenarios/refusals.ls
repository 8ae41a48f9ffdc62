-- Whole or refused, on the default device hearing the 1 kHz tone: a take
-- keeps its own format when saved after SetFormat; each sample size
-- records or is refused, and its level is on the 16-bit scale; a refused
-- start keeps the take before it; formats that crashed Wine's sound driver
-- are refused and the program runs on; StopRecording during metering; a
-- full take is whole frames.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put "open:" && r.OpenAudio("")

  r.SetFormat([#SampleRate: 44.1, #SampleSize: 16, #NumberOfChannels: 2])
  put "own format record:" && recordAll(r, 1000)
  put "own format set:" && r.SetFormat([#SampleRate: 11.025, #SampleSize: 16, #NumberOfChannels: 1])
  put "own format file:" && r.SaveAsFile("own-format.wav")
  put "own format member:" && r.SaveAsMember("own format")
  put "own format play:" && r.PlaySound()
  begin = the milliseconds
  repeat while r.IsSoundPlaying() = 1 and the milliseconds - begin < 20000
    idle(50)
  end repeat

  sizes = [8, 16, 24, 32]
  repeat with i = 1 to count(sizes)
    bits = sizes[i]
    r.SetFormat([#SampleRate: 22.05, #SampleSize: bits, #NumberOfChannels: 1])
    answer = r.StartGetInputLevel(50)
    idle(300)
    level = r.GetInputLevel()
    put "size" && bits & ":" && answer & "|" & level
    r.StopGetInputLevel()
    put "size" && bits && "record:" && r.StartRecording(300)
    idle(500)
    r.StopRecording()
  end repeat

  r.SetFormat([#SampleRate: 11.025, #SampleSize: 16, #NumberOfChannels: 1])
  put "survivor record:" && recordAll(r, 1000)
  put "refused start:" && r.StartRecording(2147483647)
  put "survivor file:" && r.SaveAsFile("survivor.wav")

  bad = [[0.0, 16, 2], [0.001, 16, 1], [1000.0, 16, 1], [4294967.0, 16, 1], [11.025, 64, 1], [11.025, 48, 1], [11.025, 0, 1], [11.025, 12, 1], [11.025, 16, 0]]
  repeat with i = 1 to count(bad)
    f = bad[i]
    r.SetFormat([#SampleRate: f[1], #SampleSize: f[2], #NumberOfChannels: f[3]])
    tag = "bad" && f[1] & "/" & f[2] & "/" & f[3]
    put tag && "record:" && r.StartRecording(200)
    r.StopRecording()
    put tag && "meter:" && r.StartGetInputLevel(50)
    r.StopGetInputLevel()
    put tag && "play:" && r.PlaySound()
    r.PlayStop()
  end repeat
  put "after bad formats:" && r.SaveAsFile("after-bad.wav")

  r.SetFormat([#SampleRate: 11.025, #SampleSize: 16, #NumberOfChannels: 1])
  r.StartGetInputLevel(50)
  put "stop while metering:" && r.StopRecording()
  put "metering after stop:" && r.IsGsilActive()
  r.StopGetInputLevel()

  put "full take:" && recordAll(r, 100)
  put "full take file:" && r.SaveAsFile("full-take.wav")
  put "close:" && r.CloseAudio()
  put "done"
end

-- Records a take and lets it end by itself at its maximum.
on recordAll r, ms
  answer = r.StartRecording(ms)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 30000
    idle(20)
  end repeat
  return answer
end
