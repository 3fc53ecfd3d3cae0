// A host author's start in JScript: record 10 frames and copy three of them into a buffer.
//   SelvarHost.exe --script getdata.js
Selvar.SetRecordMode(0);
Selvar.SetFramesNumber(10);
Selvar.CmdRecord();
while (Selvar.IsCameraRecording() != 0) Host.Sleep(100);

var frameBytes = Selvar.GetFrameBufferSize();
// Host.Alloc gives an address as a plain number; hand it on unchanged, in 32 or 64 bits alike.
var buffer = Host.Alloc(3 * frameBytes);
var status = Selvar.GetData(3, 0, buffer);
Host.Echo("GetData: " + status + ", " + frameBytes + " bytes per frame, first pixels " +
          Host.Peek(buffer) + " " + Host.Peek(buffer + 1) + " " + Host.Peek(buffer + frameBytes));
Host.Quit(status);
