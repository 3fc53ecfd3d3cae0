#include "tests/support/SharedDocumentsValue.h"

namespace {

constexpr char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kValueName[] = "Common Documents";

}  // namespace

SharedDocumentsValue::SharedDocumentsValue() {
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kShellFolders, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                      &key_, nullptr) != ERROR_SUCCESS) {
    key_ = nullptr;
    return;
  }
  DWORD size = 0;
  had_ = RegQueryValueExA(key_, kValueName, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS;
  if (had_) {
    saved_.resize(size);
    had_ = RegQueryValueExA(key_, kValueName, nullptr, &type_, saved_.data(), &size) == ERROR_SUCCESS;
  }
}

SharedDocumentsValue::~SharedDocumentsValue() {
  if (!key_) return;
  if (had_) {
    RegSetValueExA(key_, kValueName, 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
  } else {
    RegDeleteValueA(key_, kValueName);
  }
  RegCloseKey(key_);
}

bool SharedDocumentsValue::Set(const std::string& folder) {
  return key_ && RegSetValueExA(key_, kValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                                static_cast<DWORD>(folder.size() + 1)) == ERROR_SUCCESS;
}

bool SharedDocumentsValue::Remove() {
  if (!key_) return false;
  const LONG status = RegDeleteValueA(key_, kValueName);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
