#include "ui/AnchoredLayout.h"

#include <algorithm>

void CAnchoredLayout::Capture(HWND dialog, const AnchoredControl* controls, size_t count) {
  RECT client{}, window{};
  GetClientRect(dialog, &client);
  GetWindowRect(dialog, &window);
  m_client = {client.right, client.bottom};
  m_minimum = {window.right - window.left, window.bottom - window.top};
  m_controls.clear();
  for (size_t i = 0; i < count; ++i) {
    HWND control = GetDlgItem(dialog, controls[i].id);
    if (!control) continue;
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    m_controls.push_back({controls[i].id, controls[i].anchors, rect});
  }
}

void CAnchoredLayout::Apply(HWND dialog, int clientWidth, int clientHeight) const {
  if (m_controls.empty()) return;
  // Below the captured size (a minimized window) the controls stay put.
  const int dx = std::max(0, clientWidth - static_cast<int>(m_client.cx));
  const int dy = std::max(0, clientHeight - static_cast<int>(m_client.cy));
  HDWP positions = BeginDeferWindowPos(static_cast<int>(m_controls.size()));
  for (const Placed& placed : m_controls) {
    RECT r = placed.rect;
    if (placed.anchors & kMoveRight) OffsetRect(&r, dx, 0);
    if (placed.anchors & kMoveDown) OffsetRect(&r, 0, dy);
    if (placed.anchors & kGrowRight) r.right += dx;
    if (placed.anchors & kGrowDown) r.bottom += dy;
    HWND control = GetDlgItem(dialog, placed.id);
    if (positions && control)
      positions = DeferWindowPos(positions, control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (positions) EndDeferWindowPos(positions);
  // The panel is painted under the controls: what they left behind goes with it.
  RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CAnchoredLayout::LimitTrackSize(MINMAXINFO* info) const {
  if (m_controls.empty()) return;
  info->ptMinTrackSize.x = m_minimum.cx;
  info->ptMinTrackSize.y = m_minimum.cy;
}
