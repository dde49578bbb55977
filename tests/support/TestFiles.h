#pragma once
// Files and folders as the tests read and write them, the fields of
// little-endian records and the image blocks of an .ico file. Standard C++
// only: used by the native tests too.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Wine's own 32-bit modules: real programs to read, in every test program.
#ifdef _WIN32
constexpr char kWineSystemFolder[] = "Z:\\usr\\lib\\i386-linux-gnu\\wine\\i386-windows\\";
#else
constexpr char kWineSystemFolder[] = "/usr/lib/i386-linux-gnu/wine/i386-windows/";
#endif

bool WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
// The text lines of a file, without line ends, trailing blanks or blank lines.
std::vector<std::string> ReadLines(const std::string& path);
// The names in a folder, sorted; folders end with a backslash.
std::vector<std::string> NamesIn(const std::string& folder);

uint32_t U16At(const Bytes& bytes, size_t at);
uint32_t U32At(const Bytes& bytes, size_t at);
void PutU16At(Bytes& bytes, size_t at, uint32_t value);
void PutU32At(Bytes& bytes, size_t at, uint32_t value);
void AppendU16(Bytes& bytes, uint32_t value);
void AppendU32(Bytes& bytes, uint32_t value);

// The image blocks of an .ico file in directory order, read straight from its
// directory; nothing when the bytes are not one.
std::vector<Bytes> IcoBlocks(const Bytes& file);
bool IsPng(const Bytes& block);
// A block as the .ico writer stores it: biSizeImage 0 when it is a DIB.
Bytes WithSizeImageCleared(Bytes block);
