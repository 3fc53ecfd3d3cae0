// Enabled and checked state of one command, as its update handler decides it.
#pragma once

#include <windows.h>

class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : id_(id) {}

  UINT Id() const { return id_; }
  void Enable(bool enabled = true) { enabled_ = enabled; }
  void SetCheck(int checked = 1) { checked_ = checked; }
  bool IsEnabled() const { return enabled_; }
  int Checked() const { return checked_; }

 private:
  UINT id_;
  bool enabled_ = true;  // commands without an update handler are enabled
  int checked_ = 0;
};

// The private message the framework's idle cycle sends to control bars so that they refresh the
// state of their buttons from the update handlers.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363;
