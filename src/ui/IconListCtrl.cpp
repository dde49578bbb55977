#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "ui/IconTip.h"

namespace {

// Wide enough for the images of most icons on a line or two.
const int kTipWidth = 420;
const UINT WM_PICTURES_MADE = WM_APP + 2;
const UINT WM_PICTURES_WANTED = WM_APP + 3;
// Far from the ids the list view gives its own timers.
const UINT_PTR kMarginTimer = 0x7A11;

// Requests for the screen go at odd priorities, its margin's at even ones.
bool IsMargin(uint64_t priority) { return priority % 2 == 0; }

}  // namespace

CIconListCtrl::~CIconListCtrl() = default;

void CIconListCtrl::SetPictureSides(int large, int small) {
  if (!m_smallImages.GetSafeHandle()) {
    m_smallImages.Create(small, small, ILC_COLOR32 | ILC_MASK, 8, 256);
    m_largeImages.Create(large, large, ILC_COLOR32 | ILC_MASK, 8, 256);
  }
  if (small != m_small.Side()) m_small.Bind(m_smallImages, small, PictureCache::PlacesFor(small));
  if (large != m_large.Side()) m_large.Bind(m_largeImages, large, PictureCache::PlacesFor(large));
  // Set again, so that the list measures its places by the new size.
  SetImageList(&m_smallImages, LVSIL_SMALL);
  SetImageList(&m_largeImages, LVSIL_NORMAL);
  // The default spacing for the new size; all bits set, as Wine only takes -1 itself.
  SendMessage(LVM_SETICONSPACING, 0, static_cast<LPARAM>(-1));
  SendMessage(LVM_ARRANGE, LVA_DEFAULT);
  RestartMaker();
  Invalidate(TRUE);
}

PictureCache& CIconListCtrl::Shown() { return (GetStyle() & LVS_TYPEMASK) == LVS_ICON ? m_large : m_small; }

void CIconListCtrl::RestartMaker() {
  if (!m_hWnd) return;
  if (!m_maker) m_maker = std::make_unique<PictureMaker>(m_hWnd, WM_PICTURES_MADE);
  const PictureCache& shown = Shown();
  m_makingFor = &shown;
  m_makingSide = shown.Side();
  m_maker->Restart(++m_generation, shown.Side());
  m_wanted.clear();
}

int CIconListCtrl::ImageOf(int index) {
  PictureCache& shown = Shown();
  if (!m_maker || &shown != m_makingFor || shown.Side() != m_makingSide) RestartMaker();
  const int place = shown.PlaceOf(index, 2 * m_wave + 1);
  if (place >= 0) return place;
  m_wanted.push_back(index);
  if (!m_askPosted) m_askPosted = PostMessage(WM_PICTURES_WANTED) != FALSE;
  return PictureCache::kMakingPlace;
}

void CIconListCtrl::AskForWanted() {
  m_askPosted = false;
  if (m_wanted.empty() || !m_icons || !m_maker) return;
  std::sort(m_wanted.begin(), m_wanted.end());
  m_wanted.erase(std::unique(m_wanted.begin(), m_wanted.end()), m_wanted.end());
  const uint64_t inView = 2 * m_wave + 1;
  const uint64_t margin = 2 * m_wave;
  ++m_wave;
  PictureCache& shown = Shown();
  std::vector<PictureRequest> requests;
  auto ask = [&](int index, uint64_t priority) {
    if (index < 0 || index >= m_icons->GetCount()) return;
    const IconSource* source = m_icons->GetSource(index);
    requests.push_back(PictureRequest{index, priority, source->SharedPath(), source->m_group});
  };
  for (int index : m_wanted) ask(index, inView);
  // As many again on either side, what a scroll either way shows next.
  const int span = std::min(m_wanted.back() - m_wanted.front() + 1, PictureCache::PlacesFor(shown.Side()) / 4);
  for (int step = 1; step <= span; ++step)
    for (int index : {m_wanted.back() + step, m_wanted.front() - step})
      if (index >= 0 && shown.PlaceOf(index, margin) < 0) ask(index, margin);
  m_wanted.clear();
  m_maker->Ask(requests);
}

void CIconListCtrl::TakeMade(bool margin) {
  if (!m_maker || !m_makingFor) return;
  PictureCache& cache = m_makingFor == &m_large ? m_large : m_small;
  std::vector<MadePicture> made = margin ? std::exchange(m_marginMade, {}) : m_maker->Take();
  std::vector<int> shown;
  for (MadePicture& one : made) {
    if (one.generation != m_generation) continue;
    // The margin's pictures wait until the screen's are drawn: each costs as
    // much to put in place as to make.
    if (!margin && IsMargin(one.priority)) {
      m_marginMade.push_back(std::move(one));
      continue;
    }
    if (cache.Put(one.index, one.priority, one.picture ? &*one.picture : nullptr)) shown.push_back(one.index);
  }
  // A timer comes after the paint.
  if (!m_marginMade.empty()) SetTimer(kMarginTimer, 1);
  if (&cache != &Shown()) return;
  std::sort(shown.begin(), shown.end());
  // Each run of neighbours is redrawn at once.
  for (size_t first = 0; first < shown.size();) {
    size_t last = first;
    while (last + 1 < shown.size() && shown[last + 1] == shown[last] + 1) ++last;
    SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(shown[first]), shown[last]);
    first = last + 1;
  }
}

void CIconListCtrl::ShowIcons(CIconCollection* icons) {
  m_icons = icons;
  // The tick is asked for like the picture, so LVM_GETITEMSTATE answers it to anyone.
  SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
}

void CIconListCtrl::OnDropFiles(HDROP drop) {
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> paths;
  for (UINT i = 0; i < count; ++i) {
    // Read whole: a path cut to fit a buffer could name another file. The
    // loader itself refuses a path too long for its record.
    std::string path(DragQueryFileA(drop, i, nullptr, 0), '\0');
    DragQueryFileA(drop, i, &path[0], static_cast<UINT>(path.size() + 1));
    paths.push_back(std::move(path));
  }
  DragFinish(drop);
  if (m_onDropped && !paths.empty()) m_onDropped(paths);
}

void CIconListCtrl::PreSubclassWindow() {
  // The list's own item tips are not there on every system, so the list keeps its own.
  if (!m_tip.Create(this)) return;
  m_tip.AddTool(this, LPSTR_TEXTCALLBACKA);
  m_tip.SetMaxTipWidth(kTipWidth);
}

LRESULT CIconListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PICTURES_WANTED:
      AskForWanted();
      return 0;
    case WM_PICTURES_MADE:
      TakeMade(false);
      return 0;
    case WM_TIMER:
      if (wParam != kMarginTimer) break;
      KillTimer(kMarginTimer);
      TakeMade(true);
      return 0;
    case LVM_DELETEALLITEMS: {
      const LRESULT result = CListCtrl::WindowProc(msg, wParam, lParam);
      m_large.Forget();
      m_small.Forget();
      if (m_maker) RestartMaker();
      return result;
    }
    case WM_DESTROY:
      m_maker.reset();
      break;
    case WM_MOUSEWHEEL:
      if ((GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) && m_onZoom) {
        m_onZoom(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1);
        return 0;
      }
      break;
  }
  if (m_tip.m_hWnd && ((msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) || msg == WM_MOUSELEAVE)) {
    if (msg == WM_MOUSEMOVE) TrackHoveredItem(lParam);
    MSG relayed{m_hWnd, msg, wParam, lParam, 0, {}};
    m_tip.RelayEvent(&relayed);
  }
  // The list keeps no tick of its own, so it cannot toggle one: a click on
  // a check box and Space toggle the record's.
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    LVHITTESTINFO hit{};
    hit.pt = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (hit.flags & LVHT_ONITEMSTATEICON) ToggleTick(item);
  } else if (msg == WM_KEYDOWN && wParam == VK_SPACE) {
    ToggleTick(static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
  }
  return CListCtrl::WindowProc(msg, wParam, lParam);
}

void CIconListCtrl::ToggleTick(int index) {
  if (m_icons && index >= 0 && index < m_icons->GetCount()) m_icons->SetTicked(index, !m_icons->IsTicked(index));
}

int CIconListCtrl::NeighbourOf(int from, UINT key) const {
  const int count = GetItemCount();
  if (from < 0 || from >= count) return -1;
  // The arrange fills rows from the top: a row holds the items level with the first.
  POINT first{}, other{};
  SendMessage(LVM_GETITEMPOSITION, 0, reinterpret_cast<LPARAM>(&first));
  int perRow = 1;
  for (; perRow < count; ++perRow) {
    SendMessage(LVM_GETITEMPOSITION, perRow, reinterpret_cast<LPARAM>(&other));
    if (other.y != first.y) break;
  }
  switch (key) {
    case VK_LEFT:
      return from % perRow ? from - 1 : -1;
    case VK_RIGHT:
      return (from + 1) % perRow && from + 1 < count ? from + 1 : -1;
    case VK_UP:
      return from >= perRow ? from - perRow : -1;
    case VK_DOWN:
      return from + perRow < count ? from + perRow : -1;
  }
  return -1;
}

BOOL CIconListCtrl::OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (msg == WM_NOTIFY && (header->code == LVN_ODFINDITEMA || header->code == LVN_ODFINDITEMW)) {
    // Wine moves the arrow keys' focus in an owner-data icon view by asking
    // the owner for the nearest item that way; the items have no text to find.
    const auto* find = reinterpret_cast<const NMLVFINDITEMA*>(lParam);
    *result = (find->lvfi.flags & LVFI_NEARESTXY) ? NeighbourOf(find->iStart, find->lvfi.vkDirection) : -1;
    return TRUE;
  }
  if (msg != WM_NOTIFY || !m_icons || (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW))
    return CListCtrl::OnChildNotify(msg, wParam, lParam, result);
  // The two forms differ only in the text's characters, and the text is empty.
  LVITEMA& asked = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
  const int index = asked.iItem;
  if (index >= 0 && index < m_icons->GetCount()) {
    if (asked.mask & LVIF_IMAGE) asked.iImage = ImageOf(index);
    // The tick as the state image: 1 unticked, 2 ticked.
    if (asked.mask & LVIF_STATE) {
      asked.state = (asked.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(m_icons->IsTicked(index) ? 2 : 1);
      asked.stateMask |= LVIS_STATEIMAGEMASK;
    }
  }
  if ((asked.mask & LVIF_TEXT) && asked.pszText && asked.cchTextMax > 0) {
    if (header->code == LVN_GETDISPINFOW)
      reinterpret_cast<LPWSTR>(asked.pszText)[0] = L'\0';
    else
      asked.pszText[0] = '\0';
  }
  *result = 0;
  return TRUE;
}

void CIconListCtrl::TrackHoveredItem(LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = {static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
  const int item = static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const int hovered = (hit.flags & LVHT_ONITEM) ? item : -1;
  if (hovered == m_tipItem) return;
  m_tipItem = hovered;
  // Hidden and started afresh, so that the next showing asks for the new item's text.
  m_tip.Activate(FALSE);
  m_tip.Activate(TRUE);
}

BOOL CIconListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
  if (info->hdr.hwndFrom != m_tip.m_hWnd || info->hdr.code != TTN_GETDISPINFOA)
    return CListCtrl::OnNotify(wParam, lParam, result);
  m_tipText = m_icons && m_tipItem >= 0 && m_tipItem < m_icons->GetCount() ? IconTipText(*m_icons->GetSource(m_tipItem))
                                                                         : "";
  info->lpszText = const_cast<LPSTR>(m_tipText.c_str());
  *result = 0;
  return TRUE;
}
