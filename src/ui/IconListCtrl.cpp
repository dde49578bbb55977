#include "ui/IconListCtrl.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "controls/OffscreenDC.h"
#include "framework/Gdi.h"
#include "ui/IconTip.h"

namespace {

// Wide enough for the images of most icons on a line or two.
const int kTipWidth = 420;
const UINT WM_PICTURES_MADE = WM_APP + 2;
const UINT WM_PICTURES_WANTED = WM_APP + 3;
}  // namespace

CIconListCtrl::~CIconListCtrl() = default;

void CIconListCtrl::SetPictureSides(int large, int small) {
  // The image lists hold no picture: they give the list the pictures' size to
  // lay its items out by, and the list draws the pictures from the caches.
  if (!m_smallImages.GetSafeHandle()) {
    m_smallImages.Create(small, small, ILC_COLOR32, 0, 1);
    m_largeImages.Create(large, large, ILC_COLOR32, 0, 1);
  }
  ImageList_SetIconSize(m_smallImages.GetSafeHandle(), small, small);
  ImageList_SetIconSize(m_largeImages.GetSafeHandle(), large, large);
  if (small != m_small.Side()) m_small.Bind(small, PictureCache::PlacesFor(small));
  if (large != m_large.Side()) m_large.Bind(large, PictureCache::PlacesFor(large));
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
  m_maker->Restart(++m_generation, shown.Side(), static_cast<size_t>(PictureCache::PlacesFor(shown.Side())));
  m_wanted.clear();
}

int CIconListCtrl::ImageOf(int index) {
  PictureCache& shown = Shown();
  if (!m_maker || &shown != m_makingFor || shown.Side() != m_makingSide) RestartMaker();
  const uint64_t inView = 2 * m_wave + 1;
  const int place = shown.PlaceOf(index, inView);
  if (place >= 0) return place;
  // Asked at once, so that the worker makes it while the list paints the rest;
  // the margin is asked once the paint is over.
  if (IsIcon(index)) m_maker->Ask({RequestFor(index, inView)});
  m_wanted.push_back(index);
  if (!m_askPosted) m_askPosted = PostMessage(WM_PICTURES_WANTED) != FALSE;
  return PictureCache::kMakingPlace;
}

bool CIconListCtrl::IsIcon(int index) const { return m_icons && index >= 0 && index < m_icons->GetCount(); }

PictureRequest CIconListCtrl::RequestFor(int index, uint64_t priority) const {
  const IconSource* source = m_icons->GetSource(index);
  return PictureRequest{index, priority, source->SharedPath(), source->m_group};
}

void CIconListCtrl::AskForWanted() {
  m_askPosted = false;
  if (m_wanted.empty() || !m_icons || !m_maker) return;
  std::sort(m_wanted.begin(), m_wanted.end());
  m_wanted.erase(std::unique(m_wanted.begin(), m_wanted.end()), m_wanted.end());
  const uint64_t margin = 2 * m_wave;
  PictureCache& shown = Shown();
  std::vector<PictureRequest> requests;
  // As many again on either side of what was painted, what a scroll either way shows next.
  const int span = std::min(m_wanted.back() - m_wanted.front() + 1, PictureCache::PlacesFor(shown.Side()) / 4);
  for (int step = 1; step <= span; ++step)
    for (int index : {m_wanted.back() + step, m_wanted.front() - step})
      if (IsIcon(index) && shown.PlaceOf(index, margin) < 0) requests.push_back(RequestFor(index, margin));
  m_wanted.clear();
  m_maker->Ask(requests);
}

void CIconListCtrl::TakeMade() {
  if (!m_maker || !m_makingFor) return;
  PictureCache& cache = m_makingFor == &m_large ? m_large : m_small;
  std::vector<int> shown;
  for (MadePicture& one : m_maker->Take()) {
    if (one.generation != m_generation) continue;
    const bool held = cache.Holds(one.index);
    if (cache.Put(one.index, one.priority, one.picture ? &*one.picture : nullptr) && !held)
      shown.push_back(one.index);
  }
  if (&cache != &Shown() || shown.empty() || !IsWindowVisible()) return;
  // Drawn straight onto the items in view: the list has drawn them without
  // a picture, and drawing them all again would cost far more than this.
  CClientDC dc(this);
  RECT client{};
  GetClientRect(&client);
  for (int index : shown) {
    const RECT box = PictureBox(index);
    RECT meet{};
    if (!IntersectRect(&meet, &box, &client)) continue;
    const LRESULT state = SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED);
    DrawPicture(dc, index, box, (state & LVIS_SELECTED) != 0);
  }
}

void CIconListCtrl::PaintOffscreen() {
  CPaintDC target(this);
  if (IsRectEmpty(&target.m_ps.rcPaint)) return;
  // The list draws its pictures and check boxes many times faster into
  // memory than onto the screen under Wine.
  COffscreenDC offscreen(target, &target.m_ps.rcPaint);
  DefWindowProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(offscreen.GetSafeHdc()), PRF_CLIENT | PRF_ERASEBKGND);
}

RECT CIconListCtrl::PictureBox(int index) const {
  RECT box{};
  box.left = LVIR_ICON;
  if (!SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box))) return RECT{};
  return box;
}

void CIconListCtrl::DrawPicture(HDC dc, int index, const RECT& box, bool selected) {
  PictureCache& shown = Shown();
  const int place = ImageOf(index);
  if (place == PictureCache::kMakingPlace) return;
  const int side = shown.Side();
  // A selected icon is tinted while the list has the focus, as the list tints its own.
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const bool tinted = selected && ::GetFocus() == m_hWnd;
  shown.Draw(place, dc, box.left + (box.right - box.left - side) / 2, box.top + (box.bottom - box.top - side) / 2,
             tinted ? &highlight : nullptr);
}

bool CIconListCtrl::HasPicture(int index) { return Shown().Holds(index); }

void CIconListCtrl::IconsAppended(int first, int count, int addedBefore) {
  if (!m_hWnd) return;
  // A batch is drawn once, not once for each icon.
  const bool batch = count > 1 && IsWindowVisible();
  if (batch) SendMessage(WM_SETREDRAW, FALSE);
  // The view scrolls as asked below, not by itself.
  SendMessage(LVM_SETITEMCOUNT, static_cast<WPARAM>(first + count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  // Wine keeps the icon views' positions item by item even in an owner-data
  // list and gives new items none (all would stand on the first); Windows
  // lays such a list out by itself. Items already placed keep their place.
  SendMessage(LVM_ARRANGE, LVA_DEFAULT);
  // Each icon scrolls by the icons added before it; a batch scrolls once by
  // the sum, as the view ends where the single scrolls would leave it and
  // each scroll costs about as much as the rest of an icon's append.
  const long long added = count;
  const long long scroll = added * addedBefore + added * (added - 1) / 2;
  // Far past any list's range, and far from overflowing the view's position.
  const long long kLongestScroll = 1 << 24;
  SendMessage(LVM_SCROLL, 0, static_cast<LPARAM>(std::min(scroll, kLongestScroll)));
  if (batch) {
    SendMessage(WM_SETREDRAW, TRUE);
    Invalidate(TRUE);
  }
}

void CIconListCtrl::TicksChanged(int index) {
  if (!m_hWnd) return;
  if (index < 0)
    Invalidate(TRUE);
  else
    SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
}

void CIconListCtrl::Emptied() {
  if (m_hWnd) SendMessage(LVM_DELETEALLITEMS);
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
      TakeMade();
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
    // The paint erases, off screen.
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (wParam) break;
      PaintOffscreen();
      return 0;
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
  if (IsIcon(index)) m_icons->SetTicked(index, !m_icons->IsTicked(index));
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
  if (msg == WM_NOTIFY && header->code == NM_CUSTOMDRAW && m_icons) {
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(lParam);
    switch (draw->nmcd.dwDrawStage) {
      case CDDS_PREPAINT:
        // Each paint's pictures rank above every earlier paint's.
        ++m_wave;
        *result = CDRF_NOTIFYITEMDRAW;
        return TRUE;
      case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYPOSTPAINT;
        return TRUE;
      case CDDS_ITEMPOSTPAINT: {
        const int index = static_cast<int>(draw->nmcd.dwItemSpec);
        if (IsIcon(index))
          DrawPicture(draw->nmcd.hdc, index, PictureBox(index), (draw->nmcd.uItemState & CDIS_SELECTED) != 0);
        *result = CDRF_DODEFAULT;
        return TRUE;
      }
    }
  }
  if (msg != WM_NOTIFY || !m_icons || (header->code != LVN_GETDISPINFOA && header->code != LVN_GETDISPINFOW))
    return CListCtrl::OnChildNotify(msg, wParam, lParam, result);
  // The two forms differ only in the text's characters, and the text is empty.
  LVITEMA& asked = reinterpret_cast<NMLVDISPINFOA*>(lParam)->item;
  const int index = asked.iItem;
  if (IsIcon(index)) {
    // The picture is drawn after the item, when it is painted.
    if (asked.mask & LVIF_IMAGE) asked.iImage = I_IMAGENONE;
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
  m_tipText = IsIcon(m_tipItem) ? IconTipText(*m_icons->GetSource(m_tipItem)) : "";
  info->lpszText = const_cast<LPSTR>(m_tipText.c_str());
  *result = 0;
  return TRUE;
}
