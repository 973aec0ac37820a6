#pragma once
// The whole calculations computed by the independent exact reference: one JSON
// object a line with the two input texts, the decimal mark, the texts written
// in order and the error (class name and message), if any.

#include <optional>
#include <string>
#include <vector>

namespace bilan::testing {

struct ReferenceCase {
  int line = 0;
  std::string production;
  std::string consumption;
  char mark = ',';
  std::vector<std::string> written;
  std::optional<std::string> error_class;
  std::string error_message;
};

// Empty when the file cannot be opened; throws std::runtime_error naming the
// line when a line is not in the expected format.
std::vector<ReferenceCase> LoadReferenceCases(const std::string& path);

}  // namespace bilan::testing
