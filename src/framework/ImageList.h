#pragma once
// An image list that this object owns: DeleteImageList, or the destructor,
// destroys it. Controls that show it only borrow it (CListCtrl::SetImageList
// makes the list view share its lists instead of destroying them).

#include <windows.h>
#include <commctrl.h>

class CImageList {
 public:
  CImageList() = default;
  CImageList(const CImageList&) = delete;
  CImageList& operator=(const CImageList&) = delete;
  ~CImageList() { DeleteImageList(); }

  // grow: how many images each enlargement of the storage adds.
  BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
  BOOL DeleteImageList();
  HIMAGELIST GetSafeHandle() const { return m_hImageList; }
  operator HIMAGELIST() const { return m_hImageList; }
  // Gives up ownership without destroying.
  HIMAGELIST Detach();

  // The list copies the icon (scaled to its size); the caller keeps its own.
  // Both return the index of the image, or -1.
  int Add(HICON icon) { return ImageList_ReplaceIcon(m_hImageList, -1, icon); }
  int ReplaceIcon(int index, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, index, icon); }
  // Removes one image (-1: all); later images move down by one.
  BOOL Remove(int index) { return ImageList_Remove(m_hImageList, index); }
  int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
  BOOL SetImageCount(UINT count) { return ImageList_SetImageCount(m_hImageList, count); }
  BOOL Draw(HDC dc, int index, POINT at, UINT style) {
    return ImageList_Draw(m_hImageList, index, dc, at.x, at.y, style);
  }

 private:
  HIMAGELIST m_hImageList = nullptr;
};
