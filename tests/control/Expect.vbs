' Shared by the control's test scripts run in SelvarHost: counts failed expectations and ends the
' host with their number.
Option Explicit
Dim failures
failures = 0

Sub Expect(what, got, wanted)
  If got <> wanted Then
    Host.Echo what & " gave " & got & ", expected " & wanted
    failures = failures + 1
  End If
End Sub

' The number a frame carries in the first 32 bytes of its first row, least significant bit first.
Function Stamp(address)
  Dim i, n
  n = 0
  For i = 0 To 31
    If Host.Peek(address + i) > 127 Then n = n + 2 ^ i
  Next
  Stamp = n
End Function

Sub Finish(summary)
  If failures = 0 Then Host.Echo summary
  Host.Quit failures
End Sub
