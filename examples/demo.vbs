' The unattended demo of the Selvar control in SelvarHost: exposure and record mode set in the
' camera bar, the region edited in the ROI editor, live preview, a circular recording of 100 frames
' ended by a software trigger, playback, the frames saved as TIFF files (every tenth) and as one
' Netpbm stream, then as an AVI movie through the Save Sequence dialog, and a screenshot. Files go
' to the current folder.
'   SelvarHost.exe --script demo.vbs
Option Explicit

' Control ids of the camera bar, the ROI editor and the Save Sequence dialog.
Const BarExposure = 32831, BarRecordMode = 32823, BarEditRoi = 32841
Const RoiX0 = 1055, RoiY0 = 1056, RoiWidth = 1057, RoiHeight = 1058
Const SavePrefix = 206, SaveBrowse = 207, SaveFileType = 1048
Const ButtonOK = 1
' Index of "Audio Video Interleaved (*.avi)" in the file-type list.
Const FileTypeAvi = 7

Dim folder, waited, status
folder = CreateObject("Scripting.FileSystemObject").GetAbsolutePathName(".")

If Selvar.IsCameraOK() = 0 Then
  Host.Echo "demo: no camera could be opened"
  Host.Quit 1
End If
Host.Echo "demo: camera open, " & Selvar.GetROIParameter(2) & " x " & Selvar.GetROIParameter(3) & _
          " pixels, exposure " & Selvar.GetExposure() & " us, period " & Selvar.GetPeriod() & " us"

' Settings as the operator makes them: typed and chosen in the camera bar.
status = Host.SetText(BarExposure, "2000") + Host.Choose(BarRecordMode, 1)
Host.Echo "demo: in the camera bar, exposure " & Selvar.GetExposure() & " us, record mode " & _
          Selvar.GetRecordMode() & ", status " & status

' The region typed into the ROI editor, opened by the bar's Edit... button and confirmed with OK.
Host.OnDialog "Edit Region of Interest", "type " & RoiWidth & " 640; type " & RoiHeight & " 480; " & _
              "type " & RoiX0 & " 64; type " & RoiY0 & " 32; click " & ButtonOK
status = status + Host.Click(BarEditRoi) + Host.Unanswered()
Host.Echo "demo: region edited, " & Selvar.GetROIParameter(0) & "," & Selvar.GetROIParameter(1) & _
          " " & Selvar.GetROIParameter(2) & " x " & Selvar.GetROIParameter(3) & ", status " & status

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
status = status + Selvar.CmdSaveImageSequence(Host.AnsiPtr(folder), Host.AnsiPtr("Frame"), 0, 0, 99, 10)
Host.Echo "demo: every tenth frame saved as TIFF, status " & status
status = status + Selvar.CmdSaveImageSequence(Host.WidePtr(folder), Host.WidePtr("Sequence"), 3, 0, 99, 1)
Host.Echo "demo: all frames saved as one stream, status " & status

' The Save Sequence dialog as the operator fills it: prefix, the AVI type, this folder through
' Browse, OK. The call returns when the movie is written.
Host.OnDialog "Save Sequence to file", "type " & SavePrefix & " Movie; choose " & SaveFileType & _
              " " & FileTypeAvi & "; click " & SaveBrowse & "; click " & ButtonOK
Host.OnDialog "Browse for Folder", "folder " & folder & "; click " & ButtonOK
Selvar.CmdShowSaveSequenceDialogBox
status = status + Host.Unanswered()
Host.Echo "demo: all frames saved as an AVI through the Save Sequence dialog, status " & status
status = status + Host.Screenshot(folder & "\screenshot.png")
Host.Echo "demo: screenshot taken"
Host.Quit status
