// A document: the framework's holder of application data, with a modified flag.
#pragma once

class CDocument {
 public:
  virtual ~CDocument() = default;
  virtual bool OnNewDocument() {
    modified_ = false;
    return true;
  }
  bool IsModified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

 private:
  bool modified_ = false;
};
