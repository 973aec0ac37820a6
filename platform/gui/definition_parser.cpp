#include "platform/gui/definition_parser.h"

#include <cctype>
#include <sstream>

namespace bilan::gui {

DefinitionError::DefinitionError(int line, const std::string& what)
    : std::logic_error("window definition, line " + std::to_string(line) + ": " + what),
      line_(line) {}

namespace {

bool IsIdentifierStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
}

std::string Trim(const std::string& s) {
  const auto begin = s.find_first_not_of(" \t\r");
  if (begin == std::string::npos) return {};
  const auto end = s.find_last_not_of(" \t\r");
  return s.substr(begin, end - begin + 1);
}

bool IsIdentifier(const std::string& s) {
  if (s.empty() || !IsIdentifierStart(s[0])) return false;
  for (char c : s) {
    if (!IsIdentifierChar(c)) return false;
  }
  return true;
}

std::string ParseString(const std::string& s, int line) {
  std::string result;
  size_t i = 1;
  for (; i < s.size() && s[i] != '"'; ++i) {
    if (s[i] == '\\') {
      if (++i == s.size() || (s[i] != '"' && s[i] != '\\')) {
        throw DefinitionError(line, "unknown escape in string");
      }
    }
    result += s[i];
  }
  if (i != s.size() - 1) throw DefinitionError(line, "malformed string: " + s);
  return result;
}

DefinitionValue ParseValue(const std::string& s, int line) {
  DefinitionValue value;
  value.line = line;
  if (s.empty()) throw DefinitionError(line, "missing value");
  if (s[0] == '"') {
    value.kind = DefinitionValue::Kind::String;
    value.text = ParseString(s, line);
  } else if (s[0] == '(') {
    if (s.back() != ')') throw DefinitionError(line, "unclosed list: " + s);
    value.kind = DefinitionValue::Kind::List;
    std::stringstream items(s.substr(1, s.size() - 2));
    std::string item;
    while (std::getline(items, item, ',')) {
      item = Trim(item);
      if (!IsIdentifier(item)) throw DefinitionError(line, "bad list item: '" + item + "'");
      value.items.push_back(item);
    }
  } else if (IsIdentifierStart(s[0])) {
    if (!IsIdentifier(s)) throw DefinitionError(line, "bad identifier: " + s);
    value.kind = DefinitionValue::Kind::Identifier;
    value.text = s;
  } else {
    size_t used = 0;
    try {
      value.integer = std::stoll(s, &used);
    } catch (const std::exception&) {
      used = 0;
    }
    if (used != s.size()) throw DefinitionError(line, "bad value: " + s);
    value.kind = DefinitionValue::Kind::Integer;
  }
  return value;
}

DefinitionSection ParseHeader(const std::string& s, int line, bool& is_window) {
  if (s.back() != ']') throw DefinitionError(line, "unclosed section header");
  std::stringstream words(s.substr(1, s.size() - 2));
  std::vector<std::string> parts;
  for (std::string word; words >> word;) parts.push_back(word);
  DefinitionSection section;
  section.line = line;
  is_window = parts.size() == 1 && parts[0] == "window";
  if (is_window) return section;
  if (parts.size() != 2 || !IsIdentifier(parts[0]) || !IsIdentifier(parts[1])) {
    throw DefinitionError(line, "a section is [window] or [Class Name]");
  }
  section.class_name = parts[0];
  section.name = parts[1];
  return section;
}

}  // namespace

Definition ParseDefinition(const std::string& text) {
  Definition definition;
  DefinitionSection* current = nullptr;
  bool window_seen = false;
  std::stringstream lines(text);
  std::string raw;
  for (int line = 1; std::getline(lines, raw); ++line) {
    const std::string s = Trim(raw);
    if (s.empty() || s[0] == '#') continue;
    if (s[0] == '[') {
      bool is_window = false;
      DefinitionSection section = ParseHeader(s, line, is_window);
      if (is_window) {
        if (window_seen) throw DefinitionError(line, "second [window] section");
        if (!definition.controls.empty()) throw DefinitionError(line, "[window] must come first");
        window_seen = true;
        definition.window = section;
        current = &definition.window;
      } else {
        if (!window_seen) throw DefinitionError(line, "[window] must come first");
        definition.controls.push_back(section);
        current = &definition.controls.back();
      }
      continue;
    }
    const auto equals = s.find('=');
    if (equals == std::string::npos) throw DefinitionError(line, "expected Name = value");
    if (current == nullptr) throw DefinitionError(line, "property outside a section");
    DefinitionProperty property;
    property.name = Trim(s.substr(0, equals));
    if (!IsIdentifier(property.name)) {
      throw DefinitionError(line, "bad property name: '" + property.name + "'");
    }
    property.value = ParseValue(Trim(s.substr(equals + 1)), line);
    current->properties.push_back(std::move(property));
  }
  if (!window_seen) throw DefinitionError(1, "no [window] section");
  return definition;
}

}  // namespace bilan::gui
