#pragma once
// Temporary paths and little-endian field access for the format tests.
// Standard C++ only: these tests also run under Wine.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

inline uint32_t U16At(const std::vector<uint8_t>& bytes, size_t at) {
  return static_cast<uint32_t>(bytes.at(at) | (bytes.at(at + 1) << 8));
}
inline uint32_t U32At(const std::vector<uint8_t>& bytes, size_t at) {
  return U16At(bytes, at) | (U16At(bytes, at + 2) << 16);
}
inline void PutU32At(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

// A unique path in the temporary folder, removed (with anything written there)
// when the test is done.

class TempPath {
 public:
  explicit TempPath(const std::string& suffix) {
    static std::atomic<unsigned> counter{0};
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    m_path = std::filesystem::temp_directory_path() /
             ("vantrel-test-" + std::to_string(ticks) + "-" + std::to_string(counter++) + suffix);
  }
  ~TempPath() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  TempPath(const TempPath&) = delete;
  TempPath& operator=(const TempPath&) = delete;

  std::string str() const { return m_path.string(); }
  bool Exists() const {
    std::error_code ignored;
    return std::filesystem::exists(m_path, ignored);
  }
  // A path inside this one, which does not exist as a folder.
  std::string Inside(const std::string& name) const { return (m_path / name).string(); }

 private:
  std::filesystem::path m_path;
};
