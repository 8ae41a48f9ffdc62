-- Saving a take as a file and as a member, and each refusal.
on Marlowtide_XtraError report
  put "error handler:" && report[#Description] && "/" && report[#Help]
end

on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.SaveAsFile("none.wav")
  put m.SaveAsMember("none")
  put memberInfo("none")
  put m.OpenAudio("")
  put m.StartRecording(2000)
  idle(300)
  put m.SaveAsFile("busy.wav")
  -- SaveAsMember stops the recording first.
  put m.SaveAsMember("take")
  put m.RecordingNow()
  put memberInfo("take")
  put memberInfo("TAKE", 1)
  put memberInfo("take", 2)
  put m.SaveAsFile("take.wav")
  -- A path longer than Windows takes (259 characters) writes nothing.
  longName = ""
  repeat with i = 1 to 26
    longName = longName & "take-take-"
  end repeat
  put m.SaveAsFile(longName & ".wav")

  -- The same name again refills the member in its slot.
  put m.StartRecording(1000)
  repeat while m.RecordingNow() = 1
    idle(100)
  end repeat
  put m.SaveAsMember("take")
  put memberInfo("take")
  put m.SaveAsMember("second")
  put memberInfo("second")

  -- Only cast library 1 exists.
  put m.SaveAsMember("elsewhere", 2)
  put m.SaveAsMember("first", 1)
  put memberInfo("first")
  put m.SaveAsMember("first", "two")

  -- A take keeps the format it was recorded in, and a refused start keeps the take.
  put m.SetFormat([#SampleRate: 44.1, #NumberOfChannels: 2])
  put m.StartRecording(500)
  -- Under Wine the first samples may come late: the take ends after them.
  repeat while m.RecordingNow() = 1
    idle(100)
  end repeat
  put m.SetFormat([#SampleRate: 8.0, #NumberOfChannels: 0])
  put m.StartRecording(500)
  put m.SaveAsMember("stereo")
  put memberInfo("stereo")
  put m.GetFormat()
end
