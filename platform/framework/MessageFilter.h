// Keys that dialogs understand (Tab, arrows, Enter in an edit box) work in windows that are not
// modal dialogs only when the message loop offers them first: the long loops' pump calls
// PreTranslateFrameworkMessage before translating and dispatching, and so does the control when its
// container offers it a key through IOleInPlaceActiveObject::TranslateAccelerator.
#pragma once

#include <windows.h>

class CMessageFilter {
 public:
  virtual ~CMessageFilter() = default;
  // True when the message was handled and must not be dispatched.
  virtual bool PreTranslateMessage(MSG& msg) = 0;
};

void AddMessageFilter(CMessageFilter* filter);
void RemoveMessageFilter(CMessageFilter* filter);
bool PreTranslateFrameworkMessage(MSG& msg);
