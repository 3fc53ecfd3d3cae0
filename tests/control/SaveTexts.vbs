' CmdSaveImageSequence takes its folder and prefix only when it can read them whole: an unreadable
' address, an empty folder or a prefix longer than the record holds is refused with 1 and writes
' nothing anywhere; a one-character 8-bit prefix names the files with that character.
Dim fso, folder, unreadable, cases, c, i, root
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.GetSpecialFolder(2) & "\selvar-save-texts"
If fso.FolderExists(folder) Then fso.DeleteFolder folder, True
fso.CreateFolder folder
root = fso.GetDriveName(fso.GetAbsolutePathName(".")) & "\"

Selvar.SetFramesNumber 3
Expect "CmdRecord", Selvar.CmdRecord(), 0
For i = 1 To 100
  If Selvar.IsCameraRecording() = 0 Then Exit For
  Host.Sleep 50
Next

unreadable = 4096  ' the page after the null page is never mapped
' What the case is, folder, prefix, result, and the file a wrongly taken text would have written.
cases = Array( _
  Array("unreadable folder", unreadable, Host.AnsiPtr("selvar-unreadable"), 1, root & "selvar-unreadable000.tif"), _
  Array("unreadable prefix", Host.AnsiPtr(folder), unreadable, 1, folder & "\000.tif"), _
  Array("empty folder", Host.AnsiPtr(""), Host.AnsiPtr("selvar-empty"), 1, root & "selvar-empty000.tif"), _
  Array("empty UTF-16 folder", Host.WidePtr(""), Host.WidePtr("selvar-wide"), 1, root & "selvar-wide000.tif"), _
  Array("67-character prefix", Host.AnsiPtr(folder), Host.AnsiPtr(String(67, "p")), 1, folder & "\" & String(66, "p") & "000.tif"), _
  Array("67-character UTF-16 prefix", Host.WidePtr(folder), Host.WidePtr(String(67, "w")), 1, folder & "\" & String(66, "w") & "000.tif"), _
  Array("66-character prefix", Host.AnsiPtr(folder), Host.AnsiPtr(String(66, "q")), 0, ""), _
  Array("one-character prefix", Host.AnsiPtr(folder), Host.AnsiPtr("A"), 0, ""), _
  Array("one-character UTF-16 prefix", Host.WidePtr(folder), Host.WidePtr("W"), 0, ""))
For Each c In cases
  Expect c(0), Selvar.CmdSaveImageSequence(c(1), c(2), 0, 0, 0, 1), c(3)
  If c(4) <> "" Then
    Expect c(0) & " wrote " & c(4), fso.FileExists(c(4)), False
    If fso.FileExists(c(4)) Then fso.DeleteFile c(4)
  End If
Next

' Exactly the files of the three accepted calls.
Dim names, f
names = ""
For Each f In fso.GetFolder(folder).Files
  names = names & f.Name & " "
Next
Expect "saved files", fso.GetFolder(folder).Files.Count, 3
Expect "one-character prefix file " & names, fso.FileExists(folder & "\A000.tif"), True
Expect "UTF-16 prefix file " & names, fso.FileExists(folder & "\W000.tif"), True
Expect "66-character prefix file " & names, fso.FileExists(folder & "\" & String(66, "q") & "000.tif"), True
fso.DeleteFolder folder, True
Finish "automation save texts are read whole or refused"
