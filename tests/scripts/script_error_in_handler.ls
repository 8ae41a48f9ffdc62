-- A script error inside a handler the Xtra called is reported with the
-- handler's line once the Xtra's call has returned.
on startMovie
  m = new(xtra "Marlowtide")
  m.ShowErrorsAsDialogs(0)
  put m.OpenAudio(1)
  put "not reached"
end

on Marlowtide_XtraError report
  put "handler runs"
  put report[#NoSuchProperty]
end
