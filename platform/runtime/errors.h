#pragma once
// The program's error classes. Every failure that the user sees is one of these,
// thrown where it arises and caught in exactly one place per boundary (the click
// dispatch of the window, the program entry, the command-line companion).
// Messages are UTF-8 and carry no closing period; the displays add it.

#include <exception>
#include <string>
#include <string_view>

namespace bilan {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }
  // The class name as the application error box reports it.
  virtual const char* ClassName() const noexcept { return "Exception"; }

 private:
  std::string message_;
};

// A text that is not a number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EConvertError"; }
};

// Errors that come from the arithmetic rather than from the program's logic.
class EExternal : public Exception {
 public:
  using Exception::Exception;
  const char* ClassName() const noexcept override { return "EExternal"; }
};

class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
  const char* ClassName() const noexcept override { return "EMathError"; }
};

// A rounded result beyond the largest finite extended number.
class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("D\u00e9bordement en virgule flottante") {}
  const char* ClassName() const noexcept override { return "EOverflow"; }
};

// A focus request for a control that cannot take the focus.
class EFocusError : public Exception {
 public:
  EFocusError() : Exception("Impossible de focaliser une fen\u00eatre d\u00e9sactiv\u00e9e ou invisible") {}
  const char* ClassName() const noexcept override { return "EFocusError"; }
};

// The message as the error displays show it: a period is added when the last
// byte's code is above that of "." (so after letters, accented ones included,
// digits, ":" and "?"), never to an empty message.
std::string WithClosingPeriod(std::string_view message);

}  // namespace bilan
