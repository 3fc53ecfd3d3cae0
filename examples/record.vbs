' A host author's start: record 50 frames, wait for the camera to finish, step through them.
'   SelvarHost.exe --script record.vbs
Option Explicit
Dim i

If Selvar.IsCameraOK() = 0 Then
  Host.Echo "no camera"
  Host.Quit 1
End If
Selvar.SetRecordMode 0            ' normal recording
Selvar.SetFramesNumber 50
Selvar.SetExposure 500            ' microseconds
Selvar.CmdRecord
Do While Selvar.IsCameraRecording() <> 0
  Host.Sleep 100                  ' messages keep flowing while the script waits
Loop
Host.Echo Selvar.GetFramesNumber() & " frames recorded"
Selvar.CmdFirstFrame
For i = 1 To 5
  Selvar.CmdNextFrame
  Host.Sleep 200
Next
Host.Quit 0
