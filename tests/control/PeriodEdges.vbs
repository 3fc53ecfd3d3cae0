' The period rules with a camera whose shortest period is 2 999 ns (the simulated camera allows
' nothing below 2 000): a period above one second gives rate 0, which the clamp turns into the
' maximum rate; its 2 999 ns are truncated to 2 microseconds, as 1 999 ns would be to 1.
Dim before
Selvar.SetPeriod 2000000
Expect "GetPeriod at the maximum rate", Selvar.GetPeriod(), 2
before = Selvar.GetPeriod()
Selvar.SetPeriod 0
Expect "GetPeriod after SetPeriod 0", Selvar.GetPeriod(), before
Finish "period edges as specified"
