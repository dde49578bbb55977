#pragma once
// Names and reasons in messages: a control character in a file name (a
// newline, an escape) would break the message's one line or drive the
// terminal, so it is written as an escape instead.

#include <string>

// A path as a shell reads it back: unchanged when it holds no control
// character, else quoted as $'...' with each one escaped ($'a\nb').
std::string ShellQuoted(const std::string& path);

// The text with each control character escaped in place (\n, \x1b).
std::string EscapedInline(const std::string& text);
