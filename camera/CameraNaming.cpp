// Naming rule for the Kinetra, Veltran and Orbitel model codes.
#include "camera/CameraNaming.h"

#include <cstdio>

namespace {

// The model number shown for each code; codes the table does not name give 0.
constexpr int kModelNumbers[] = {0, 1, 4, 3, 5, 2, 3, 0, 5, 0, 4, 5,
                                 0, 0, 0, 0, 0, 0, 3, 4, 5, 6, 7};
constexpr int kModelNumberCount = sizeof kModelNumbers / sizeof kModelNumbers[0];

constexpr int kFirstNamedCode = 12;
constexpr const char* kModelNames[] = {"LB-300Q", "LB-WE", "LB-RA/GA", "LB-4000", "FV-4000", "LB-UV"};
constexpr int kModelNameCount = sizeof kModelNames / sizeof kModelNames[0];

constexpr std::size_t kPartChars = 256;

int ModelNumber(int code) { return code >= 0 && code < kModelNumberCount ? kModelNumbers[code] : 0; }

// Fills family and model; both stay empty for a code that names no camera.
void NameParts(int code, int variant, char (&family)[kPartChars], char (&model)[kPartChars]) {
  const int number = ModelNumber(code);
  auto setFamily = [&](const char* name) { std::snprintf(family, kPartChars, "%s", name); };
  if (code >= kFirstNamedCode && code < kFirstNamedCode + kModelNameCount) {
    setFamily("Orbitel");
    std::snprintf(model, kPartChars, "%s", kModelNames[code - kFirstNamedCode]);
  } else if (code == 6 || code == 8) {
    setFamily("Veltran");
    std::snprintf(model, kPartChars, "D%d", number);
  } else if (code >= 0 && code <= 5) {
    setFamily("Kinetra");
    std::snprintf(model, kPartChars, "KW/E%d", number);
  } else if (code == 9) {
    setFamily("Kinetra");
    if (variant == 1 || variant == 2) {
      std::snprintf(model, kPartChars, "P3-R%d", variant);
    } else {
      std::snprintf(model, kPartChars, "%s", variant == 3 ? "P3-QF" : "P3-K");
    }
  } else if (code == 10 || code == 22) {
    setFamily("Kinetra");
    if (variant > 0) {
      std::snprintf(model, kPartChars, "P%d-R%d", number, variant);
    } else {
      std::snprintf(model, kPartChars, "P%d", number);
    }
  } else if (code == 11) {
    setFamily("Kinetra");
    if (variant == 1) {
      std::snprintf(model, kPartChars, "P5-QF");
    } else {
      std::snprintf(model, kPartChars, "P%d", number);
    }
  } else if (code == 21) {
    setFamily("Kinetra");
    std::snprintf(model, kPartChars, "P%d", number);
  } else if (code >= 18 && code <= 20) {
    setFamily("Orbitel");
    if (code == 20 && variant == 3) {
      std::snprintf(model, kPartChars, "T5-QF");
    } else if (variant > 0) {
      std::snprintf(model, kPartChars, "T%d-R%d", number, variant);
    } else {
      std::snprintf(model, kPartChars, "T%d", number);
    }
  }
}

}  // namespace

void NameCamera(int modelCode, int variant, char* out, std::size_t outSize, int modelOnly) {
  if (outSize == 0) return;
  char family[kPartChars] = "";
  char model[kPartChars] = "";
  NameParts(modelCode, variant, family, model);
  if (modelOnly == 0) {
    std::snprintf(out, outSize, "%s %s", family, model);
  } else {
    std::snprintf(out, outSize, "%s", model);
  }
}
