#include "SettingsE2eSupport.h"

#include "ProductProcess.h"
#include "SaveE2eSupport.h"

namespace {

constexpr DWORD kKeyTimeout = 5000;
constexpr int kMostTabs = 40;

void SendKey(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &input, sizeof input);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace

bool BringToFront(HWND window) {
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
      },
      kKeyTimeout);
}

void PressKey(WORD virtualKey, bool ctrl, bool alt) {
  if (ctrl) SendKey(VK_CONTROL, false);
  if (alt) SendKey(VK_MENU, false);
  SendKey(virtualKey, false);
  SendKey(virtualKey, true);
  if (alt) SendKey(VK_MENU, true);
  if (ctrl) SendKey(VK_CONTROL, true);
  // Each key is handled before the next one is judged.
  Sleep(30);
}

void TypeText(const std::string& text) {
  for (const char c : text) {
    const SHORT key = VkKeyScanA(c);
    if (key == -1) continue;
    PressKey(static_cast<WORD>(LOBYTE(key)), (HIBYTE(key) & 2) != 0, (HIBYTE(key) & 4) != 0);
  }
}

void ChooseMenuItem(HWND window, char menuKey, char itemKey) {
  BringToFront(window);
  PressKey(static_cast<WORD>(menuKey), false, true);
  PressKey(static_cast<WORD>(itemKey));
}

std::string ControlText(HWND dialog, int id) {
  char text[512] = {};
  AskControl(dialog, id, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
  return text;
}

int FocusedControlId(HWND dialog) {
  const HWND focus = FocusOf(dialog);
  return focus && IsChild(dialog, focus) ? GetDlgCtrlID(focus) : 0;
}

bool TabTo(HWND dialog, int id) {
  for (int tabs = 0; tabs < kMostTabs; ++tabs) {
    const HWND before = FocusOf(dialog);
    if (before && IsChild(dialog, before) && GetDlgCtrlID(before) == id) return true;
    PressKey(VK_TAB);
    WaitUntil([&] { return FocusOf(dialog) != before; }, 1000);
  }
  return false;
}
