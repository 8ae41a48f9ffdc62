-- The playback stream is cut off 1 s into a 12 s take's playback (the
-- session does it once the movie says "playing"). Each call is timed; then
-- the take plays again.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  r.PrivateInstance(1, 1)
  put "open:" && r.OpenAudio("")
  r.SetFormat([#SampleRate: 8.0, #SampleSize: 8, #NumberOfChannels: 1])
  put "record:" && r.StartRecording(12000)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 30000
    idle(16)
  end repeat
  put "play:" && r.PlaySound()
  put "playing"
  begin = the milliseconds
  slowest = 0
  repeat while the milliseconds - begin < 20000
    t = the milliseconds
    now = r.IsSoundPlaying()
    if the milliseconds - t > slowest then slowest = the milliseconds - t
    if now = 0 then exit repeat
    idle(50)
  end repeat
  put "ended after:" && (the milliseconds - begin)
  t = the milliseconds
  put "stop:" && r.PlayStop()
  if the milliseconds - t > slowest then slowest = the milliseconds - t
  put "slowest call:" && slowest
  put "play again:" && r.PlaySound()
  idle(500)
  put "playing again:" && r.IsSoundPlaying()
  put "stop again:" && r.PlayStop()
end

on Marlowtide_XtraError report
  put "report:" && report[#Description] && "/" && report[#Help]
end

on Marlowtide_InternalError id, message, code
  put "internal:" && message && code
end
