#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>

namespace {

constexpr char kSeparator = '\\';

// Through the wide functions, which take paths longer than MAX_PATH.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

void Remove(const std::string& folder) { RemoveTree(L"\\\\?\\" + std::filesystem::path(folder).wstring()); }

}  // namespace
#else
namespace {

constexpr char kSeparator = '/';

void Remove(const std::string& folder) {
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
#endif

TempFolder::TempFolder() {
  static std::atomic<unsigned> made{0};
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  std::error_code error;
  const std::string temp = std::filesystem::temp_directory_path(error).string();
  for (;;) {
    m_path = temp + (temp.empty() || temp.back() == kSeparator ? "" : std::string(1, kSeparator)) + "vantrel-test-" +
             std::to_string(ticks) + "-" + std::to_string(++made);
    if (std::filesystem::create_directory(m_path, error) || error) break;
  }
}

TempFolder::~TempFolder() { Remove(m_path); }

std::string TempFolder::File(const std::string& name) const { return m_path + kSeparator + name; }
