-- Without on startMovie there is nothing to run.
on stopMovie
  put "never shown"
end
