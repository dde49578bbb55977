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

void CIconCollection::SetView(IconView* view) { m_view = view; }

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
  if (m_view) m_view->IconsAppended(first, count, m_addedCount);
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
  if (m_view) m_view->TicksChanged(index);
}

void CIconCollection::Clear() {
  // Every block back, not only the records.
  std::deque<IconSource>().swap(m_sources);
  m_countLabel = nullptr;
}

void CIconCollection::EmptyWithViews(CWnd* pathBox) {
  if (m_view) m_view->Emptied();
  Clear();
  if (pathBox && pathBox->GetSafeHwnd()) SetWindowTextA(pathBox->GetSafeHwnd(), "");
}
