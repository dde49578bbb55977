#pragma once
// A list view. Item indexes are 0-based; -1 means none.

#include <windows.h>
#include <commctrl.h>

#include "framework/Geometry.h"
#include "framework/Wnd.h"

class CImageList;

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
  DWORD SetExtendedStyle(DWORD styles) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, styles));
  }
  // imageListType is LVSIL_NORMAL or LVSIL_SMALL. The list stays owned by the
  // CImageList: this also gives the control LVS_SHAREIMAGELISTS, so that
  // destroying the control does not destroy the list under its owner.
  // Returns the list that was set before.
  HIMAGELIST SetImageList(CImageList* list, int imageListType);

  int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
  int InsertItem(const LVITEMA* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item)));
  }
  int InsertItem(int index, LPCSTR text, int image);
  BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }

  BOOL SetItemState(int index, UINT state, UINT mask);
  UINT GetItemState(int index, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, index, mask));
  }
  // The check box is the state image: 2 ticked, 1 not (LVS_EX_CHECKBOXES).
  BOOL SetCheck(int index, BOOL check = TRUE) {
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
  }
  BOOL GetCheck(int index) const { return (GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2; }

  // Scrolls as LVM_SCROLL does (the amount's unit depends on the view); the
  // control clamps to its range.
  BOOL Scroll(CSize amount) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, amount.cx, amount.cy)); }
  BOOL Scroll(int dx, int dy) { return Scroll(CSize(dx, dy)); }
  // The item at a client point, or -1; flags receives LVHT_* when given.
  int HitTest(CPoint point, UINT* flags = nullptr) const;
  int HitTest(LVHITTESTINFO* info) const {
    return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info)));
  }
};
