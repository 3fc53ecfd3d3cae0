' The control created by a script host without a site has no window, frame or view: every
' command method returns 1, the two show methods 0, the getters 0, and nothing fails.
Option Explicit
Dim s, failures, name
Set s = CreateObject("Selvar.SelvarCtrl.1")
failures = 0

Sub Expect(what, got, wanted)
  If got <> wanted Then
    WScript.Echo what & " gave " & got & ", expected " & wanted
    failures = failures + 1
  End If
End Sub

Expect "CmdRecord", s.CmdRecord(), 1
Expect "CmdPlay", s.CmdPlay(), 1
Expect "CmdStop", s.CmdStop(), 1
Expect "CmdTrigger", s.CmdTrigger(), 1
Expect "CmdRewind", s.CmdRewind(), 1
Expect "CmdFastForward", s.CmdFastForward(), 1
Expect "CmdPreviousFrame", s.CmdPreviousFrame(), 1
Expect "CmdNextFrame", s.CmdNextFrame(), 1
Expect "CmdFirstFrame", s.CmdFirstFrame(), 1
Expect "CmdLastFrame", s.CmdLastFrame(), 1
Expect "CmdResetCamera", s.CmdResetCamera(), 1
Expect "CmdShowMainToolbar", s.CmdShowMainToolbar(1), 0
Expect "CmdShowCameraBar", s.CmdShowCameraBar(1), 0
Expect "CmdSaveImageSequence", s.CmdSaveImageSequence(0, 0, 1, 0, 9, 1), 1
Expect "GetData", s.GetData(1, 0, 0), 1
Expect "GetData of 0 frames", s.GetData(0, 0, 0), 1
Expect "SetROIParameter", s.SetROIParameter(9, 5), 1
Expect "GetROIParameter", s.GetROIParameter(0), 0
Expect "IsCameraOK", s.IsCameraOK(), 0
Expect "IsCameraRecording", s.IsCameraRecording(), 0
Expect "GetFramesNumber", s.GetFramesNumber(), 0
Expect "GetPreTriggerFramesNumber", s.GetPreTriggerFramesNumber(), 0
Expect "GetFrameBufferSize", s.GetFrameBufferSize(), 0
Expect "GetExposure", s.GetExposure(), 0
Expect "GetPeriod", s.GetPeriod(), 0
Expect "GetRecordMode", s.GetRecordMode(), 0
Expect "GetSyncInConfig", s.GetSyncInConfig(), 0
Expect "GetTriggerInConfig", s.GetTriggerInConfig(), 0
Expect "GetSensorGain", s.GetSensorGain(), 0
s.CmdShowSaveSequenceDialogBox
s.SetFramesNumber 10
s.SetPreTriggerFramesNumber 1
s.SetExposure 100
s.SetPeriod 100
s.SetRecordMode 1
s.SetSyncInConfig 1
s.SetTriggerInConfig 1
s.SetSensorGain 1
Expect "EnumFilter of a fresh control", s.EnumFilter, 0
s.EnumFilter = 4
s.ProductNumber = 12
s.SerialNumber = 34567890
Expect "EnumFilter", s.EnumFilter, 4
Expect "ProductNumber", s.ProductNumber, 12
Expect "SerialNumber", s.SerialNumber, 34567890

If failures = 0 Then WScript.Echo "no-site results as specified"
WScript.Quit failures
