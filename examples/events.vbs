' A host author's start with events: record 10 frames and, once the camera has finished, save them
' as TIFF files in the current folder. Nothing polls: the handlers run while Host.Sleep waits.
'   SelvarHost.exe --script events.vbs
Option Explicit

Sub Selvar_RecordingStarted()
  Host.Echo "recording"
End Sub

Sub Selvar_RecordingEnded(nFramesKept)
  Host.Echo nFramesKept & " frames recorded"
  ' Folder ".\" (the current one), names frame000.tif on, type 0 (TIFF), frames 0 to the last, every one.
  Selvar.CmdSaveImageSequence Host.AnsiPtr(".\"), Host.AnsiPtr("frame"), 0, 0, nFramesKept - 1, 1
End Sub

Sub Selvar_SaveEnded(nResult, nFramesWritten)
  Host.Echo nFramesWritten & " frames saved, result " & nResult
  Host.Quit nResult
End Sub

Sub Selvar_CameraError(nCode, bstrDescription)
  Host.Echo "error " & nCode & ": " & bstrDescription
  Host.Quit 1
End Sub

If Selvar.IsCameraOK() = 0 Then
  Host.Echo "no camera"
  Host.Quit 1
End If
Selvar.QuietMode = True           ' errors arrive as CameraError, never as a message box
Selvar.SetRecordMode 0            ' normal recording
Selvar.SetFramesNumber 10
Selvar.CmdRecord
Host.Sleep 30000                  ' a handler quits long before; this only bounds the wait
Host.Echo "no recording-ended event within 30 s"
Host.Quit 1
