// The prefix's registered shared documents folder ("Common Documents"), set or removed for one
// test and put back as it was afterwards. Every program in the prefix reads it, so the tests that
// change it run alone.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class SharedDocumentsValue {
 public:
  SharedDocumentsValue();
  ~SharedDocumentsValue();
  SharedDocumentsValue(const SharedDocumentsValue&) = delete;
  SharedDocumentsValue& operator=(const SharedDocumentsValue&) = delete;

  bool Set(const std::string& folder);
  bool Remove();

 private:
  HKEY key_ = nullptr;
  bool had_ = false;
  DWORD type_ = REG_SZ;
  std::vector<BYTE> saved_;
};
