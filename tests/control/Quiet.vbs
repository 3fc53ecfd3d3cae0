' Quiet mode under the simulator's faults, with no answer queued for any message box: each error
' arrives as an event with its code and the text its box would have shown, the last error says the
' same, and a stop during a recording keeps the frames.
Dim heard, kept, saved
heard = ""
kept = -1
saved = ""
Sub Selvar_CameraError(nCode, bstrDescription)
  heard = heard & nCode & ": " & bstrDescription & "|"
End Sub
Sub Selvar_RecordingEnded(nFramesKept)
  kept = nFramesKept
End Sub
Sub Selvar_SaveEnded(nResult, nFramesWritten)
  saved = nResult & "/" & nFramesWritten
End Sub

Selvar.QuietMode = True
Expect "QuietMode", Selvar.QuietMode, True

Selvar.SetFramesNumber -1
Selvar.CmdRecord
Expect "refused: last error", Selvar.GetLastErrorCode(), 5
Expect "refused: text", Selvar.GetLastErrorText(), _
  "[ERR005] The Camera refused to start the recording (status 2)."
Host.Sleep 100
Expect "refused: event", heard, "5: [ERR005] The Camera refused to start the recording (status 2).|"

Selvar.SetFramesNumber 1000
Selvar.SetPeriod 10000
Selvar.CmdRecord
Expect "a command that works clears the last error", Selvar.GetLastErrorCode(), 0
Expect "and its text", Selvar.GetLastErrorText(), ""
Host.Sleep 300
Selvar.CmdStop
Host.Sleep 100
Expect "stopped: recording", Selvar.IsCameraRecording(), 0
Expect "stopped: frames kept", kept > 0, True

heard = ""
Expect "save result", Selvar.CmdSaveImageSequence(Host.AnsiPtr(".\"), Host.AnsiPtr("quiet"), 0, 0, 4, 1), 1
Expect "save: last error", Selvar.GetLastErrorCode(), 105
Host.Sleep 100
Expect "save: ended", saved, "5/2"
Expect "save: event", heard, "105: Frame 3 could not be read from the camera for .\quiet002.tif " & _
  "(error 3). Saving stopped; the frames saved before it are kept.|"

' The operator's Save Sequence dialog, whose failure would end in a box: only the event remains.
heard = ""
saved = ""
Host.OnDialog "Save Sequence to file", "type 206 dialog; click 207; click 1"
Host.OnDialog "Browse for Folder", "folder " & CreateObject("Scripting.FileSystemObject").GetAbsolutePathName(".") & "; click 1"
Selvar.CmdShowSaveSequenceDialogBox
Host.Sleep 100
Expect "dialog save: ended", saved, "5/2"
Expect "dialog save: event", Left(heard, 13), "105: Frame 3 "
Expect "dialog save: last error", Selvar.GetLastErrorCode(), 105

heard = ""
Selvar.CmdPlay
Host.Sleep 500
Expect "live: event", heard, "1: [ERR001] Acquisition Time-Out|"
Expect "live: last error", Selvar.GetLastErrorCode(), 1
Expect "no box waited for an answer", Host.Unanswered(), 0
Finish "quiet mode: every error an event, no box"
