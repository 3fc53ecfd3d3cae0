' The unattended demo of the Selvar control in SelvarHost: live preview, a circular recording of
' 100 frames ended by a software trigger, playback, the frames saved as TIFF files (every tenth)
' and as one Netpbm stream, and a screenshot. Files go to the current folder.
'   SelvarHost.exe --script demo.vbs
Option Explicit

Dim folder, waited, status
folder = CreateObject("Scripting.FileSystemObject").GetAbsolutePathName(".")

If Selvar.IsCameraOK() = 0 Then
  Host.Echo "demo: no camera could be opened"
  Host.Quit 1
End If
Host.Echo "demo: camera open, " & Selvar.GetROIParameter(2) & " x " & Selvar.GetROIParameter(3) & _
          " pixels, exposure " & Selvar.GetExposure() & " us, period " & Selvar.GetPeriod() & " us"

' Settings through automation, shown in the camera bar.
Selvar.SetExposure 2000
Selvar.SetRecordMode 1
Host.Echo "demo: exposure " & Selvar.GetExposure() & " us, record mode " & Selvar.GetRecordMode()

Selvar.CmdPlay
Host.Echo "demo: live preview"
Host.Sleep 1500
Selvar.CmdStop

' Circular recording: the camera records round its memory until the trigger, then 50 more frames.
Selvar.SetFramesNumber 100
Selvar.SetPreTriggerFramesNumber 50
Selvar.CmdRecord
Host.Echo "demo: recording, circular mode"
Host.Sleep 700
Selvar.CmdTrigger
Host.Echo "demo: trigger"
waited = 0
Do While Selvar.IsCameraRecording() <> 0 And waited < 30000
  Host.Sleep 100
  waited = waited + 100
Loop
If Selvar.IsCameraRecording() <> 0 Then
  Host.Echo "demo: the recording did not end"
  Host.Quit 1
End If
Host.Echo "demo: recorded " & Selvar.GetFramesNumber() & " frames"

Selvar.CmdFirstFrame
Selvar.CmdNextFrame
Selvar.CmdNextFrame
Selvar.CmdFastForward
Selvar.CmdLastFrame
Host.Echo "demo: played back"

' File type code 0 saves TIFF files (one per frame), code 3 one Netpbm stream.
status = Selvar.CmdSaveImageSequence(Host.AnsiPtr(folder), Host.AnsiPtr("Frame"), 0, 0, 99, 10)
Host.Echo "demo: every tenth frame saved as TIFF, status " & status
status = status + Selvar.CmdSaveImageSequence(Host.WidePtr(folder), Host.WidePtr("Sequence"), 3, 0, 99, 1)
Host.Echo "demo: all frames saved as one stream, status " & status
status = status + Host.Screenshot(folder & "\screenshot.png")
Host.Echo "demo: screenshot taken"
Host.Quit status
