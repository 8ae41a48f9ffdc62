-- The longest maximum StartRecording accepts in this 32-bit process, at
-- 11.025 kHz mono and 44.1 kHz stereo, found by halving, for
-- bench/wine-figures.sh; and what a longer one answers.
on startMovie
  r = new(xtra "Marlowtide")
  r.ShowErrorsAsDialogs(0)
  put "open:" && r.OpenAudio("")
  longest r, 11.025, 1
  longest r, 44.1, 2
end

on longest r, rate, channels
  r.SetFormat([#SampleRate: rate, #SampleSize: 16, #NumberOfChannels: channels])
  low = 1000
  high = 2147483647
  refusal = ""
  repeat while high - low > 1000
    middle = low + (high - low) / 2
    answer = r.StartRecording(middle)
    if answer = "Ok" then
      r.StopRecording()
      low = middle
    else
      high = middle
      refusal = answer
    end if
  end repeat
  put "longest:" && channels && low && refusal
end
