#include "ui/SavedPlacement.h"

#include <algorithm>

namespace {

const char kSection[] = "Setting";

}  // namespace

void RestoreWindowPlace(HWND window, const CConfigFile& config, SIZE minimum) {
  const int width = config.GetInt(kSection, "WindowWidth");
  const int height = config.GetInt(kSection, "WindowHeight");
  if (width <= 0 || height <= 0) return;
  const int left = config.GetInt(kSection, "WindowLeft");
  const int top = config.GetInt(kSection, "WindowTop");
  RECT place{left, top, left + std::max(width, static_cast<int>(minimum.cx)),
             top + std::max(height, static_cast<int>(minimum.cy))};
  if (!MonitorFromRect(&place, MONITOR_DEFAULTTONULL)) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromRect(&place, MONITOR_DEFAULTTOPRIMARY), &monitor);
    OffsetRect(&place, monitor.rcWork.left - place.left, monitor.rcWork.top - place.top);
  }
  SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // Maximized once shown: showing the window restores it first.
  if (config.GetBool(kSection, "WindowMaximized")) PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

void SaveWindowPlace(HWND window, const CConfigFile& config, const RECT& normal) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                         (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
  config.WriteInt(kSection, "WindowLeft", normal.left);
  config.WriteInt(kSection, "WindowTop", normal.top);
  config.WriteInt(kSection, "WindowWidth", normal.right - normal.left);
  config.WriteInt(kSection, "WindowHeight", normal.bottom - normal.top);
  config.WriteBool(kSection, "WindowMaximized", maximized ? TRUE : FALSE);
}
