#include "ui/SavedPlacement.h"

#include <algorithm>

void RestoreWindowPlace(HWND window, const WindowPlace& remembered, SIZE minimum) {
  const int width = remembered.width;
  const int height = remembered.height;
  if (width <= 0 || height <= 0) return;
  const int left = remembered.left;
  const int top = remembered.top;
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
  if (remembered.maximized) PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
}

WindowPlace PlaceToRemember(HWND window, const RECT& normal) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(window, &placement);
  const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                         (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
  return WindowPlace{normal.left, normal.top, normal.right - normal.left, normal.bottom - normal.top, maximized};
}
