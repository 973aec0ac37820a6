#pragma once
// The text form of a window definition, our own format:
//
//   # comment
//   [window]
//   Caption = "Calcul"
//   ClientWidth = 914
//
//   [TEdit Edit1]
//   Anchors = (akLeft, akTop, akRight, akBottom)
//   Font.Name = "MS Sans Serif"
//
// A section is the window or one control (class, then name), in creation order.
// A value is an integer, a double-quoted UTF-8 string (escapes \" and \\), an
// identifier, or a parenthesised list of identifiers. The parser checks only
// the syntax; what names mean is the reader's business.

#include <stdexcept>
#include <string>
#include <vector>

namespace bilan::gui {

// A definition that cannot be read: a programming error in fixed data, reported
// with its line number.
class DefinitionError : public std::logic_error {
 public:
  DefinitionError(int line, const std::string& what);
  int Line() const { return line_; }

 private:
  int line_;
};

struct DefinitionValue {
  enum class Kind { Integer, String, Identifier, List };
  Kind kind = Kind::Integer;
  long long integer = 0;
  std::string text;                // String or Identifier
  std::vector<std::string> items;  // List
  int line = 0;
};

struct DefinitionProperty {
  std::string name;
  DefinitionValue value;
};

struct DefinitionSection {
  std::string class_name;  // empty for the window
  std::string name;
  std::vector<DefinitionProperty> properties;
  int line = 0;
};

struct Definition {
  DefinitionSection window;
  std::vector<DefinitionSection> controls;
};

Definition ParseDefinition(const std::string& text);

}  // namespace bilan::gui
