// The message pump of the scans and the saving loop.
#include "platform/framework/PumpMessages.h"

#include <windows.h>

#include "platform/framework/MessageFilter.h"

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // A quit request belongs to the outer loop: leave it for that loop to see.
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (PreTranslateFrameworkMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void PumpWaitingMessages() {
  if (HIWORD(GetQueueStatus(QS_ALLINPUT)) != 0) PumpMessages();
}
