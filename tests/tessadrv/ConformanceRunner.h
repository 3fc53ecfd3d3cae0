// Registers one GoogleTest case per conformance check, named SUITE.Check, for a driver under test.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "tests/tessadrv/DriverConformance.h"

class ConformanceTest : public ::testing::Test {
 public:
  ConformanceTest(std::function<DriverUnderTest()> driver, ConformanceCase check)
      : driver_(std::move(driver)), check_(check) {}
  void TestBody() override {
    const DriverUnderTest d = driver_();
    ASSERT_NE(d.api.Shutdown, nullptr) << "no driver";
    EXPECT_THAT(check_.check(d), ::testing::IsEmpty());
  }

 private:
  std::function<DriverUnderTest()> driver_;
  ConformanceCase check_;
};

// Call during static initialisation, before the tests run.
inline bool RegisterConformanceTests(const char* suite, std::function<DriverUnderTest()> driver, const char* file,
                                     int line) {
  for (const ConformanceCase& c : AllConformanceCases()) {
    ::testing::RegisterTest(suite, c.name, nullptr, nullptr, file, line,
                            [driver, c]() -> ::testing::Test* { return new ConformanceTest(driver, c); });
  }
  return true;
}
