#include "support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

bool WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out.flush());
}

Bytes ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
    names.push_back(entry.path().filename().string() + (entry.is_directory(ignored) ? "\\" : ""));
  std::sort(names.begin(), names.end());
  return names;
}

uint32_t U16At(const Bytes& bytes, size_t at) { return static_cast<uint32_t>(bytes.at(at) | (bytes.at(at + 1) << 8)); }

uint32_t U32At(const Bytes& bytes, size_t at) { return U16At(bytes, at) | (U16At(bytes, at + 2) << 16); }

void PutU16At(Bytes& bytes, size_t at, uint32_t value) {
  bytes.at(at) = static_cast<uint8_t>(value);
  bytes.at(at + 1) = static_cast<uint8_t>(value >> 8);
}

void PutU32At(Bytes& bytes, size_t at, uint32_t value) {
  PutU16At(bytes, at, value);
  PutU16At(bytes, at + 2, value >> 16);
}

void AppendU16(Bytes& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 2);
  PutU16At(bytes, bytes.size() - 2, value);
}

void AppendU32(Bytes& bytes, uint32_t value) {
  bytes.resize(bytes.size() + 4);
  PutU32At(bytes, bytes.size() - 4, value);
}

std::vector<Bytes> IcoBlocks(const Bytes& file) {
  if (file.size() < 6 || U16At(file, 0) != 0 || U16At(file, 2) != 1) return {};
  const size_t count = U16At(file, 4);
  if (file.size() < 6 + count * 16) return {};
  std::vector<Bytes> blocks;
  for (size_t i = 0; i < count; ++i) {
    const size_t size = U32At(file, 6 + i * 16 + 8);
    const size_t offset = U32At(file, 6 + i * 16 + 12);
    if (offset > file.size() || size > file.size() - offset) return {};
    blocks.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(offset),
                        file.begin() + static_cast<std::ptrdiff_t>(offset + size));
  }
  return blocks;
}

bool IsPng(const Bytes& block) {
  static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return block.size() >= 8 && std::equal(std::begin(signature), std::end(signature), block.begin());
}

Bytes WithSizeImageCleared(Bytes block) {
  if (!IsPng(block) && block.size() >= 40 && U32At(block, 0) >= 40) std::fill(block.begin() + 20, block.begin() + 24, 0);
  return block;
}
