#include "save/BmpMessageBox.h"

#include <windows.h>

namespace {

std::wstring ToUtf16(const std::string& text, UINT codePage) {
  if (text.empty()) return std::wstring();
  const int length = ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

}  // namespace

void ShowBmpMessage(const std::string& targetPath, BmpMessage message) {
  const std::wstring text = ToUtf16(BmpMessageText(message), CP_UTF8);
  const std::wstring caption = ToUtf16(targetPath, CP_ACP);
  ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK);
}
