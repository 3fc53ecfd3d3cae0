// Loading and saving a control's persistent properties through one exchange routine, whatever
// the medium (property bag or stream).
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <cstdint>

class CPropertyExchange {
 public:
  virtual ~CPropertyExchange() = default;
  virtual bool IsLoading() const = 0;
  // True when values are stored under their names (property bag), false when in order (stream).
  virtual bool IsNamed() const = 0;
  // The stored version stamp (major in the high word); saving writes `version`. A property bag
  // without a stamp counts as the current version.
  virtual void ExchangeVersion(DWORD& version) = 0;
  // A missing value loads as defaultValue.
  virtual void ExchangeLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) = 0;
  // A value added after the others: a stream that ends before it loads defaultValue and is no
  // failure.
  virtual void ExchangeAddedLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) {
    ExchangeLong(name, value, defaultValue);
  }
  // The first failure of the medium, kept for the caller.
  HRESULT Status() const { return status_; }

 protected:
  void Fail(HRESULT hr) {
    if (SUCCEEDED(status_)) status_ = hr;
  }

 private:
  HRESULT status_ = S_OK;
};

class CPropertyBagExchange : public CPropertyExchange {
 public:
  CPropertyBagExchange(IPropertyBag* bag, IErrorLog* log, bool loading)
      : bag_(bag), log_(log), loading_(loading) {}
  bool IsLoading() const override { return loading_; }
  bool IsNamed() const override { return true; }
  void ExchangeVersion(DWORD& version) override;
  void ExchangeLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) override;

 private:
  IPropertyBag* bag_;
  IErrorLog* log_;
  bool loading_;
};

// Values in order, 32 bits each, after the version stamp.
class CStreamExchange : public CPropertyExchange {
 public:
  CStreamExchange(IStream* stream, bool loading) : stream_(stream), loading_(loading) {}
  bool IsLoading() const override { return loading_; }
  bool IsNamed() const override { return false; }
  void ExchangeVersion(DWORD& version) override;
  void ExchangeLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) override;
  void ExchangeAddedLong(const wchar_t* name, std::int32_t& value, std::int32_t defaultValue) override;

 private:
  void Exchange32(DWORD& value);
  IStream* stream_;
  bool loading_;
};
