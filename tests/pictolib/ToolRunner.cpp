// popen-based runner; the tests fail with the command line when a tool reports an error.
#include "tests/pictolib/ToolRunner.h"

#include <cstdio>
#include <sys/wait.h>

ToolResult RunTool(const std::string& command) {
  ToolResult result;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  std::uint8_t buffer[1 << 16];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.insert(result.output.end(), buffer, buffer + n);
  const int status = pclose(pipe);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string Quoted(const std::string& path) {
  std::string q = "'";
  for (char c : path) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

bool ToolsPresent(const std::vector<std::string>& programs) {
  for (const std::string& p : programs)
    if (RunTool("command -v " + p + " >/dev/null 2>&1").exitCode != 0) return false;
  return true;
}
