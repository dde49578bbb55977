#include "cli/MessageText.h"

#include <cstdio>

namespace {

// The length of the control character at `at`: C0 and DEL are one byte; C1
// (U+0080 to U+009F, NEL among them) two bytes of UTF-8. 0 for any other.
size_t ControlLength(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  if (byte(at) < 0x20 || byte(at) == 0x7f) return 1;
  if (byte(at) == 0xc2 && at + 1 < text.size() && byte(at + 1) >= 0x80 && byte(at + 1) <= 0x9f) return 2;
  return 0;
}

bool HasControl(const std::string& text) {
  for (size_t at = 0; at < text.size(); ++at)
    if (ControlLength(text, at) != 0) return true;
  return false;
}

std::string Escape(unsigned char byte) {
  switch (byte) {
    case '\a': return "\\a";
    case '\b': return "\\b";
    case '\t': return "\\t";
    case '\n': return "\\n";
    case '\v': return "\\v";
    case '\f': return "\\f";
    case '\r': return "\\r";
    case 0x1b: return "\\E";
  }
  char hex[5];
  std::snprintf(hex, sizeof hex, "\\x%02x", byte);
  return hex;
}

// Control characters escaped; with `quoting`, also what ends or escapes $'...'.
std::string Escaped(const std::string& text, bool quoting) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const size_t control = ControlLength(text, at);
    if (control == 0) {
      if (quoting && (text[at] == '\'' || text[at] == '\\')) out += '\\';
      out += text[at++];
      continue;
    }
    for (size_t end = at + control; at < end; ++at) out += Escape(static_cast<unsigned char>(text[at]));
  }
  return out;
}

}  // namespace

std::string ShellQuoted(const std::string& path) {
  return HasControl(path) ? "$'" + Escaped(path, true) + "'" : path;
}

std::string EscapedInline(const std::string& text) { return HasControl(text) ? Escaped(text, false) : text; }
