-- Every sample: a 10 s take at 16-bit stereo, 44.1 and 48 kHz, from a
-- device that hears a known pseudo-random sequence at that format (the
-- session plays it once the movie says "ready"); and 10 s takes at
-- 11.025 kHz 16-bit mono and 22.05 kHz 8-bit mono of a 523 Hz tone, which
-- the sound server resamples for them.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  sequence r, "Sequence 44100", 44.1
  sequence r, "Sequence 48000", 48.0
  put "open tone:" && r.OpenAudio("Tone 523")
  take r, 11.025, 16, 1, "tone-11025-16.wav"
  take r, 22.05, 8, 1, "tone-22050-8.wav"
  put "close:" && r.CloseAudio()
end

on sequence r, device, rate
  put "open:" && r.OpenAudio(device)
  put "ready:" && device
  idle(2000)
  take r, rate, 16, 2, "sequence-" & integer(rate * 1000) & ".wav"
  put "close:" && r.CloseAudio()
end

on take r, rate, bits, channels, name
  put name && "format:" && r.SetFormat([#SampleRate: rate, #SampleSize: bits, #NumberOfChannels: channels])
  put name && "record:" && r.StartRecording(10000)
  begin = the milliseconds
  repeat while r.RecordingNow() = 1 and the milliseconds - begin < 60000
    idle(50)
  end repeat
  put name && "saved:" && r.SaveAsFile(name)
end
