// Storage folder form and configuration file path.
#include "config/ConfigPath.h"

#include <cstdio>
#include <cstring>

int BuildConfigPath(const char* folder, std::int32_t serial, char* out, std::size_t outSize) {
  // The file name is the serial as a signed 32-bit number: serials from 2^31 up appear negative,
  // which existing files rely on.
  const int written = std::snprintf(out, outSize, "%s\\%ld.xml", folder, static_cast<long>(serial));
  return written < 0 || static_cast<std::size_t>(written) >= outSize ? 1 : 0;
}
