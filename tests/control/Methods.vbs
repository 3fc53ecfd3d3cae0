' Every method and property of the control sited in SelvarHost with the default simulated camera.
Dim frameBytes, buffer, before, i
Expect "EnumFilter of a new control", Selvar.EnumFilter, 0
Expect "IsCameraOK", Selvar.IsCameraOK(), 1
Expect "IsCameraRecording", Selvar.IsCameraRecording(), 0
Expect "CmdShowMainToolbar(2)", Selvar.CmdShowMainToolbar(2), 1
Expect "CmdShowMainToolbar(0)", Selvar.CmdShowMainToolbar(0), 1
Expect "CmdShowCameraBar(1)", Selvar.CmdShowCameraBar(1), 1

' The region: indexes 0, 7 and -1 all name the left edge; setting never calls the camera.
Expect "GetROIParameter(2)", Selvar.GetROIParameter(2), 1280
Expect "GetROIParameter(3)", Selvar.GetROIParameter(3), 1024
Expect "GetROIParameter(4)", Selvar.GetROIParameter(4), 1280
Expect "GetROIParameter(5)", Selvar.GetROIParameter(5), 1024
Expect "SetROIParameter(9, 16)", Selvar.SetROIParameter(9, 16), 1
Expect "GetROIParameter(0)", Selvar.GetROIParameter(0), 16
Expect "GetROIParameter(7)", Selvar.GetROIParameter(7), 16
Expect "GetROIParameter(-1)", Selvar.GetROIParameter(-1), 16
Expect "SetROIParameter(1, 8)", Selvar.SetROIParameter(1, 8), 1
Expect "GetROIParameter(1)", Selvar.GetROIParameter(1), 8
Selvar.SetROIParameter 0, 0
Selvar.SetROIParameter 1, 0

' Settings through ApplySettingById, read back from the camera or the record.
Selvar.SetSensorGain 3
Expect "GetSensorGain", Selvar.GetSensorGain(), 3
Selvar.SetSyncInConfig 1
Expect "GetSyncInConfig", Selvar.GetSyncInConfig(), 1
Selvar.SetSyncInConfig 0
Selvar.SetTriggerInConfig 2
Expect "GetTriggerInConfig", Selvar.GetTriggerInConfig(), 2
Selvar.SetTriggerInConfig 0
Selvar.SetRecordMode 1
Expect "GetRecordMode", Selvar.GetRecordMode(), 1
Selvar.SetRecordMode 0
Selvar.SetFramesNumber 12
Expect "GetFramesNumber", Selvar.GetFramesNumber(), 12
Selvar.SetPreTriggerFramesNumber 4
Expect "GetPreTriggerFramesNumber", Selvar.GetPreTriggerFramesNumber(), 4
Selvar.SetExposure 2000
Expect "GetExposure", Selvar.GetExposure(), 2000
Selvar.SetPeriod 5000
Expect "GetPeriod", Selvar.GetPeriod(), 5000
before = Selvar.GetPeriod()
Selvar.SetPeriod 0
Expect "GetPeriod after SetPeriod 0", Selvar.GetPeriod(), before
frameBytes = Selvar.GetFrameBufferSize()
Expect "GetFrameBufferSize", frameBytes, 1280 * 1024

' GetData of no frames writes nothing.
buffer = Host.Alloc(4 * frameBytes)
Expect "GetData of 0 frames", Selvar.GetData(0, 0, buffer), 0
Expect "the buffer after GetData of 0 frames", Host.Peek(buffer) + Host.Peek(buffer + 31), 0

' A recording of 12 frames, its end, playback.
Expect "CmdRecord", Selvar.CmdRecord(), 0
For i = 1 To 100
  If Selvar.IsCameraRecording() = 0 Then Exit For
  Host.Sleep 50
Next
Expect "recording ended", Selvar.IsCameraRecording(), 0
Expect "CmdFirstFrame", Selvar.CmdFirstFrame(), 0
Expect "CmdNextFrame", Selvar.CmdNextFrame(), 0
Expect "CmdPreviousFrame", Selvar.CmdPreviousFrame(), 0
Expect "CmdLastFrame", Selvar.CmdLastFrame(), 0
Expect "CmdRewind", Selvar.CmdRewind(), 0
Expect "CmdFastForward", Selvar.CmdFastForward(), 0
Expect "CmdTrigger when not recording", Selvar.CmdTrigger(), 0

' Raw frames 5, 6, 7 carry their own numbers; the buffer may lie above 4 GiB.
Expect "GetData(3, 5)", Selvar.GetData(3, 5, buffer), 0
For i = 0 To 2
  Expect "stamp of copied frame " & i, Stamp(buffer + i * frameBytes), 5 + i
Next
Expect "GetData past the recording", Selvar.GetData(2, 11, buffer), 1
' Numbers that are not exactly an address are refused.
Expect "GetData to a fractional address", Selvar.GetData(1, 0, buffer + 0.5), 1
Expect "GetData to a negative address", Selvar.GetData(1, 0, -2147483649), 1
Expect "GetData to a null buffer", Selvar.GetData(1, 0, 0), 1
Expect "CmdSaveImageSequence with a null text", _
       Selvar.CmdSaveImageSequence(0, Host.AnsiPtr("x"), 0, 0, 1, 1), 1

' Live preview and its stop; reset; the About box is modal and not opened here.
Expect "CmdPlay", Selvar.CmdPlay(), 0
Host.Sleep 300
Expect "CmdStop", Selvar.CmdStop(), 0
Expect "CmdResetCamera", Selvar.CmdResetCamera(), 0
Expect "IsCameraOK after reset", Selvar.IsCameraOK(), 1
' Screenshots of the host window by extension; other extensions are refused.
Dim temp
temp = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2) & "\selvar-methods"
Expect "PNG screenshot", Host.Screenshot(temp & ".png"), 0
Expect "BMP screenshot", Host.Screenshot(temp & ".bmp"), 0
Expect "GIF screenshot", Host.Screenshot(temp & ".gif"), 1
Selvar.EnumFilter = 2
Expect "EnumFilter written", Selvar.EnumFilter, 2
Finish "every method and property answered as specified"
