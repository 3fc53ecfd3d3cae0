// Runs a Debian decoder or checker through the shell and collects what it prints.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ToolResult {
  int exitCode = -1;
  std::vector<std::uint8_t> output;   // standard output only
  std::string Text() const { return std::string(output.begin(), output.end()); }
};

// command is passed to the shell; quote file names with Quoted.
ToolResult RunTool(const std::string& command);
std::string Quoted(const std::string& path);
// Whether every named program is on the PATH.
bool ToolsPresent(const std::vector<std::string>& programs);
