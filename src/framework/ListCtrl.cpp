#include "framework/ListCtrl.h"

#include "framework/ImageList.h"

HIMAGELIST CListCtrl::SetImageList(CImageList* list, int imageListType) {
  ModifyStyle(0, LVS_SHAREIMAGELISTS);
  return reinterpret_cast<HIMAGELIST>(SendMessage(
      LVM_SETIMAGELIST, imageListType, reinterpret_cast<LPARAM>(list ? list->GetSafeHandle() : nullptr)));
}

int CListCtrl::InsertItem(int index, LPCSTR text, int image) {
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = index;
  item.pszText = const_cast<LPSTR>(text);
  item.iImage = image;
  return InsertItem(&item);
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&item)));
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const {
  LVHITTESTINFO info{};
  info.pt = point;
  const int index = HitTest(&info);
  if (flags) *flags = info.flags;
  return index;
}
