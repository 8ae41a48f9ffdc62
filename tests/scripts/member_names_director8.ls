-- Members named in other languages, under Director 8.5: memberInfo finds
-- them by the script's name, and their files are named alike whichever
-- Director named them. Under 8.5 a character that code page 1252 lacks
-- becomes "?" in the member's name.
-- args: --save-members members --director-version 8.5
on startMovie
  m = new(xtra "Marlowtide")
  m.OpenAudio("")
  m.StartRecording(200)
  repeat while m.RecordingNow() = 1
    idle(50)
  end repeat
  put m.SaveAsMember("Aufnahme Jürgen")
  put m.SaveAsMember("テイク")
  put memberInfo("Aufnahme Jürgen")[#number]
  put memberInfo("テイク")[#number]
  put memberInfo("Aufnahme Jurgen")
  put voidP(memberInfo("???"))
end
