' A control with its frame and view but no camera: commands are disabled yet still return 0, and
' the getters return what stays in their zeroed values.
Expect "IsCameraOK", Selvar.IsCameraOK(), 0
Expect "CmdRecord while disabled", Selvar.CmdRecord(), 0
Expect "IsCameraRecording", Selvar.IsCameraRecording(), 0
Expect "CmdPlay while disabled", Selvar.CmdPlay(), 0
Expect "CmdShowMainToolbar(1)", Selvar.CmdShowMainToolbar(1), 1
Expect "GetExposure", Selvar.GetExposure(), 0
Expect "GetFrameBufferSize", Selvar.GetFrameBufferSize(), 0
Finish "without a camera every command is a no-op that returns 0"
