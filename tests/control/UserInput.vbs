' The Host methods that act as the operator: what they refuse, and an answer whose step cannot be
' carried out, which cancels its dialog and leaves the region as it was.
Dim bad, x0
Expect "SetText on a control the bar lacks", Host.SetText(4242, "1"), 1
Expect "SetText on the read-only region text", Host.SetText(208, "1,1 2x2"), 1
Expect "Choose past the end of the record mode list", Host.Choose(32823, 2), 1
Expect "Choose Circular", Host.Choose(32823, 1), 0
Expect "the record mode chosen", Selvar.GetRecordMode(), 1
Expect "Click on a control the bar lacks", Host.Click(4242), 1

On Error Resume Next
For Each bad In Array("press 1", "click one", "click 1 2", "choose 1048 x", "type x 1", "folder", "")
  Err.Clear
  Host.OnDialog "Edit Region of Interest", bad & "; click 1"
  Expect "OnDialog with """ & bad & """ refused", Err.Number <> 0, bad <> ""
Next
On Error GoTo 0
' The one valid answer above ("; click 1") is given to the editor that follows first.
Expect "answers queued", Host.Unanswered(), 1
Expect "Click on Edit... with OK queued", Host.Click(32841), 0
Expect "answers left", Host.Unanswered(), 0

x0 = Selvar.GetROIParameter(0)
Host.OnDialog "Edit Region of Interest", "type 1055 8; type 4242 1; click 1"
Expect "Click on Edit... with a step on a missing box", Host.Click(32841), 0
Expect "answers not carried out", Host.Unanswered(), 1
Expect "x0 after the cancelled editor", Selvar.GetROIParameter(0), x0
' The folder browser's step holds only when the folder really is the one selected; a folder the
' browser cannot reach cancels the browser, and the save dialog is left with Cancel all the same.
Dim waited
Selvar.SetRecordMode 0
Selvar.SetFramesNumber 3
Selvar.CmdRecord
waited = 0
Do While Selvar.IsCameraRecording() <> 0 And waited < 10000
  Host.Sleep 50
  waited = waited + 50
Loop
' The editor's failed answer above still counts; each browse adds one more only when it fails.
For Each bad In Array("C:\windows", "C:\no such folder")
  Host.OnDialog "Save Sequence to file", "click 207; click 2"
  Host.OnDialog "Browse for Folder", "folder " & bad & "; click 1"
  Selvar.CmdShowSaveSequenceDialogBox
  Expect "answers not carried out after browsing to " & bad, Host.Unanswered(), 2 + (bad = "C:\windows")
Next
Finish "the operator's inputs refuse what a person could not do"
