// Event handlers in JScript: record, read the frames back from the recording-ended handler, quit.
function Selvar::RecordingEnded(nFramesKept) {
  var buffer = Host.Alloc(nFramesKept * Selvar.GetFrameBufferSize());
  Host.Echo("RecordingEnded " + nFramesKept + ", GetData " + Selvar.GetData(nFramesKept, 0, buffer));
  Host.Quit(0);
}

Selvar.SetRecordMode(0);
Selvar.SetFramesNumber(3);
Selvar.CmdRecord();
Host.Sleep(20000);
Host.Echo("no RecordingEnded event");
Host.Quit(1);
