#include "reference_cases.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace bilan::testing {
namespace {

// A reader for this flat format only: an object of strings, arrays of strings
// and null.
class JsonLine {
 public:
  JsonLine(std::string_view text, int line) : text_(text), line_(line) {}

  ReferenceCase Parse() {
    ReferenceCase result;
    result.line = line_;
    Expect('{');
    for (bool first = true;; first = false) {
      Skip();
      if (Peek() == '}') break;
      if (!first) Expect(',');
      const std::string key = String();
      Expect(':');
      if (key == "a") {
        result.production = String();
      } else if (key == "b") {
        result.consumption = String();
      } else if (key == "mark") {
        const std::string mark = String();
        if (mark.size() != 1) Fail("mark is not one byte");
        result.mark = mark[0];
      } else if (key == "out") {
        result.written = Strings();
      } else if (key == "err") {
        Skip();
        if (text_.substr(pos_, 4) == "null") {
          pos_ += 4;
        } else {
          const auto error = Strings();
          if (error.size() != 2) Fail("err is not [class, message]");
          result.error_class = error[0];
          result.error_message = error[1];
        }
      } else {
        Fail("unknown key " + key);
      }
    }
    return result;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw std::runtime_error("reference line " + std::to_string(line_) + ": " + why);
  }
  void Skip() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void Expect(char c) {
    Skip();
    if (Peek() != c) Fail(std::string("expected ") + c);
    ++pos_;
  }
  unsigned Hex4() {
    if (pos_ + 4 > text_.size()) Fail("short \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= c - '0';
      else if (c >= 'a' && c <= 'f')
        value |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        value |= c - 'A' + 10;
      else
        Fail("bad \\u escape");
    }
    return value;
  }
  static void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  std::string String() {
    Expect('"');
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) Fail("unterminated escape");
      const char e = text_[pos_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          std::uint32_t cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
            pos_ += 2;
            const std::uint32_t low = Hex4();
            if (low < 0xDC00 || low >= 0xE000) Fail("unpaired surrogate");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          }
          AppendUtf8(out, cp);
          break;
        }
        default:
          Fail("unknown escape");
      }
    }
  }
  std::vector<std::string> Strings() {
    Expect('[');
    std::vector<std::string> items;
    Skip();
    if (Peek() == ']') {
      ++pos_;
      return items;
    }
    for (;;) {
      items.push_back(String());
      Skip();
      if (Peek() == ']') {
        ++pos_;
        return items;
      }
      Expect(',');
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_;
};

}  // namespace

std::vector<ReferenceCase> LoadReferenceCases(const std::string& path) {
  std::vector<ReferenceCase> cases;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    cases.push_back(JsonLine(line, number).Parse());
  }
  return cases;
}

}  // namespace bilan::testing
