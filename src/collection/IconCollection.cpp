#include "collection/IconCollection.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <new>


CIconCollection::~CIconCollection() { Clear(); }

bool CanAllocateBlock(size_t bytes) {
  void* block = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!block) return false;
  ::VirtualFree(block, 0, MEM_RELEASE);
  return true;
}

void CIconCollection::SetListView(CListCtrl* list) { m_listView = list; }

void CIconCollection::SetCountLabel(CWnd* label) { m_countLabel = label; }

bool CIconCollection::AppendFound(std::vector<FoundIcon>& found, BOOL checked) {
  const int first = GetCount();
  if (found.empty()) return true;
  if (!m_blockProbe(found.size() * sizeof(IconSource))) return false;
  bool fitted = true;
  try {
    for (const FoundIcon& one : found) {
      IconSource source;
      if (!m_sources.empty() && one.path == m_sources.back().Path())
        source.SharePath(m_sources.back());
      else if (!source.SetPath(one.path.c_str()))
        continue;  // a path that does not fit is never cut into another file's path
      source.m_group = one.group;
      m_sources.push_back(std::move(source));
    }
  } catch (const std::bad_alloc&) {
    fitted = false;
  }
  AddItems(first, GetCount() - first, checked);
  return fitted;
}

void CIconCollection::AddItems(int first, int count, BOOL checked) {
  if (count <= 0) return;
  for (int index = first; index < first + count; ++index) m_sources[static_cast<size_t>(index)].m_ticked = checked != FALSE;
  if (m_listView && m_listView->GetSafeHwnd()) {
    const HWND list = m_listView->GetSafeHwnd();
    // A batch is drawn once, not once for each icon.
    const bool batch = count > 1 && ::IsWindowVisible(list);
    if (batch) SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    // The view scrolls as asked below, not by itself.
    SendMessageA(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(first + count), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
    // Wine keeps the icon views' positions item by item even in an owner-data
    // list and gives new items none (all would stand on the first); Windows
    // lays such a list out by itself. Items already placed keep their place.
    SendMessageA(list, LVM_ARRANGE, LVA_DEFAULT, 0);
    // Each icon scrolls by the icons added before it; a batch scrolls once by
    // the sum, as the view ends where the single scrolls would leave it and
    // each scroll costs about as much as the rest of an icon's append.
    const long long added = count;
    const long long scroll = added * m_addedCount + added * (added - 1) / 2;
    // Far past any list's range, and far from overflowing the view's position.
    const long long kLongestScroll = 1 << 24;
    SendMessageA(list, LVM_SCROLL, 0, static_cast<LPARAM>(std::min(scroll, kLongestScroll)));
    if (batch) {
      SendMessageA(list, WM_SETREDRAW, TRUE, 0);
      ::InvalidateRect(list, nullptr, TRUE);
    }
  }
  m_addedCount += count;
  if (m_countLabel && m_countLabel->GetSafeHwnd()) {
    m_countText.Format("%d", m_addedCount);
    SetWindowTextA(m_countLabel->GetSafeHwnd(), m_countText);
  }
}

void CIconCollection::SetTicked(int index, bool ticked) {
  if (index >= GetCount()) return;
  for (int i = index < 0 ? 0 : index; i < (index < 0 ? GetCount() : index + 1); ++i)
    m_sources[static_cast<size_t>(i)].m_ticked = ticked;
  if (!m_listView || !m_listView->GetSafeHwnd()) return;
  if (index < 0)
    ::InvalidateRect(m_listView->GetSafeHwnd(), nullptr, TRUE);
  else
    SendMessageA(m_listView->GetSafeHwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), index);
}

void CIconCollection::Clear() {
  // Every block back, not only the records.
  std::deque<IconSource>().swap(m_sources);
  m_countLabel = nullptr;
}

void CIconCollection::EmptyWithViews(CWnd* pathBox) {
  if (m_listView && m_listView->GetSafeHwnd()) SendMessageA(m_listView->GetSafeHwnd(), LVM_DELETEALLITEMS, 0, 0);
  Clear();
  if (pathBox && pathBox->GetSafeHwnd()) SetWindowTextA(pathBox->GetSafeHwnd(), "");
}
