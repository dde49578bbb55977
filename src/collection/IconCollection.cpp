#include "collection/IconCollection.h"

#include <commctrl.h>

CIconCollection::~CIconCollection() { Clear(); }

void CIconCollection::SetImageLists(CImageList* large, CImageList* small) {
  m_largeImages = large;
  m_smallImages = small;
}

void CIconCollection::SetListView(CListCtrl* list) { m_listView = list; }

void CIconCollection::SetCountLabel(CWnd* label) { m_countLabel = label; }

void CIconCollection::AddIcon(HICON icon, int index, BOOL checked) {
  if (m_largeImages) ImageList_ReplaceIcon(m_largeImages->GetSafeHandle(), -1, icon);
  if (m_smallImages) ImageList_ReplaceIcon(m_smallImages->GetSafeHandle(), -1, icon);
  if (m_listView && m_listView->GetSafeHwnd()) {
    const HWND list = m_listView->GetSafeHwnd();
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>("");
    item.iImage = index;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    SendMessageA(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
    SendMessageA(list, LVM_SCROLL, 0, m_addedCount);
  }
  ++m_addedCount;
  if (m_countLabel && m_countLabel->GetSafeHwnd()) {
    m_countText.Format("%d", m_addedCount);
    SetWindowTextA(m_countLabel->GetSafeHwnd(), m_countText);
  }
}

void CIconCollection::Clear() {
  for (int i = 0; i < GetCount(); ++i) delete m_sources.GetAt(i);
  m_sources.SetSize(0);
  m_countLabel = nullptr;
}

void CIconCollection::EmptyWithViews(CWnd* pathBox) {
  if (m_listView && m_listView->GetSafeHwnd()) SendMessageA(m_listView->GetSafeHwnd(), LVM_DELETEALLITEMS, 0, 0);
  if (m_largeImages && m_smallImages) {
    for (int i = ImageList_GetImageCount(m_largeImages->GetSafeHandle()) - 1; i >= 0; --i) {
      ImageList_Remove(m_largeImages->GetSafeHandle(), i);
      ImageList_Remove(m_smallImages->GetSafeHandle(), i);
    }
  }
  Clear();
  if (pathBox && pathBox->GetSafeHwnd()) SetWindowTextA(pathBox->GetSafeHwnd(), "");
}
