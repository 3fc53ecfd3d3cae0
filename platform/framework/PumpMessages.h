// Runs the messages waiting in this thread's queue, for long loops on the window's thread.
#pragma once

void PumpMessages();
// The same when anything waits; an empty queue costs one look, not a whole empty pump.
void PumpWaitingMessages();
