#pragma once
// The loaded icons: their sources, their pictures in two image lists and their
// items in the list view. Record i, image i of both lists and item i always
// belong to the same icon; entries are only appended, and removed all at once.

#include <windows.h>

#include <atomic>
#include <string>

#include "collection/IconSource.h"
#include "formats/ModuleResources.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ObArray.h"
#include "framework/String.h"
#include "framework/Wnd.h"

class CIconCollection {
 public:
  CIconCollection() = default;
  virtual ~CIconCollection();
  CIconCollection(const CIconCollection&) = delete;
  CIconCollection& operator=(const CIconCollection&) = delete;

  void SetImageLists(CImageList* large, CImageList* small);
  void SetListView(CListCtrl* list);
  // Null unbinds. While bound, every icon added shows the running total there.
  void SetCountLabel(CWnd* label);

  // Adds the icon's pictures and its list item at index, which must be the
  // index of the record just appended. The caller keeps the icon handle.
  void AddIcon(HICON icon, int index, BOOL checked);
  // Deletes every record and unbinds the count label; the views are emptied by
  // their owner first (see EmptyWithViews).
  void Clear();
  // List items, images from the end backwards, records, and the source-path box.
  void EmptyWithViews(CWnd* pathBox);

  // Adds every icon of one file whose type is switched on in the filter. A
  // raised `stop`, read before each icon of a module, ends the file early and
  // keeps the icons added so far: a module of hundreds of icons must not hold
  // up a Cancel.
  void LoadFromFile(LPCSTR path, BOOL checked, const std::atomic<LONG>* stop = nullptr);
  // Whether files with this lowercase extension (no dot) are taken.
  bool IsTypeSwitchedOn(const std::string& extension) const;

  int GetCount() const { return static_cast<int>(m_sources.GetSize()); }
  IconSource* GetSource(int index) const { return static_cast<IconSource*>(m_sources.GetAt(index)); }

  CObArray m_sources;
  int m_addedCount = 0;
  CString m_countText;
  CImageList* m_largeImages = nullptr;
  CImageList* m_smallImages = nullptr;
  CListCtrl* m_listView = nullptr;
  CWnd* m_countLabel = nullptr;
  BOOL m_filterExe = FALSE;
  BOOL m_filterDll = FALSE;
  BOOL m_filterIco = FALSE;
  BOOL m_filterOcx = FALSE;
  BOOL m_filterCpl = FALSE;
  BOOL m_filterIcl = FALSE;
  BOOL m_filterScr = FALSE;
  BOOL m_saved = TRUE;

 private:
  void LoadIconFile(LPCSTR path, BOOL checked);
  void LoadModule(LPCSTR path, BOOL checked, const std::atomic<LONG>* stop);
  // Appends a record for path and the icon's pictures; false when the path does not fit.
  bool Append(HICON icon, LPCSTR path, LPCSTR resourceName, BOOL checked);
};

// The extension after the last dot of the file name, lowercased, without the dot.
std::string LowercaseExtension(LPCSTR path);

// The picture the system picks from one icon group for the large icon size, or null.
HICON IconFromGroup(const ModuleResources& module, const ResourceName& group);
