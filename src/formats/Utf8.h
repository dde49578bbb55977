#pragma once
// Paths and names inside the program are UTF-8; Windows' wide functions take
// UTF-16. A small converter of our own, so the core needs no platform header.

#include <cstddef>
#include <optional>
#include <string>

// The code point at `at`, which moves past it; nothing (and `at` one byte on)
// for a byte that starts no well-formed sequence. With `surrogates`, the
// three-byte form of a surrogate is taken too (see Utf16ToUtf8).
std::optional<char32_t> NextCodePoint(const std::string& text, size_t& at, bool surrogates = false);

// Nothing when the bytes are not UTF-8 (encoded surrogates allowed).
std::optional<std::u16string> Utf8ToUtf16(const std::string& text);
// A surrogate without its pair, which a Windows name may hold, is written as
// its own three bytes, so that the name converts back to itself.
std::string Utf16ToUtf8(const std::u16string& text);
