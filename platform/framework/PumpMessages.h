// Runs the messages waiting in this thread's queue, for long loops on the window's thread.
#pragma once

void PumpMessages();
