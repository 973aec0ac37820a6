#pragma once
// Runs a program with exactly the given arguments and environment and collects
// its standard output, standard error and exit status.

#include <string>
#include <vector>

namespace bilan::testing {

struct ProgramRun {
  int exit_status = -1;  // -1 when it did not exit normally
  std::string out;
  std::string err;
};

ProgramRun RunProgram(const std::string& path, const std::vector<std::string>& arguments,
                      const std::vector<std::string>& environment);

}  // namespace bilan::testing
