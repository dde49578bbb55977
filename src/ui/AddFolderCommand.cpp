// Add Folder: every file of a picked folder tree offered to the loader.
#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>

#include "app/MainApp.h"
#include "collection/SearchProgressDlg.h"
#include "ui/MainDlg.h"

namespace {

struct ShellMallocRelease {
  void operator()(IMalloc* allocator) const { allocator->Release(); }
};

struct ItemListFree {
  IMalloc* allocator;
  void operator()(ITEMIDLIST* item) const { allocator->Free(item); }
};

}  // namespace

void CMainDlg::OnAddFolder() {
  IMalloc* rawAllocator = nullptr;
  if (FAILED(SHGetMalloc(&rawAllocator)) || !rawAllocator) return;
  const std::unique_ptr<IMalloc, ShellMallocRelease> allocator(rawAllocator);

  BROWSEINFOA browse = {};
  browse.hwndOwner = m_hWnd;
  browse.lpszTitle = "Please select a folder to search for icons\nusing the file filter you set.";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  const std::unique_ptr<ITEMIDLIST, ItemListFree> picked(SHBrowseForFolderA(&browse),
                                                         ItemListFree{allocator.get()});
  // Wide: a path longer than 260 bytes in the code page still arrives whole.
  wchar_t folder[MAX_PATH] = {};
  if (!picked || !SHGetPathFromIDListW(picked.get(), folder) || !folder[0]) return;
  SearchFolder(AnsiFromWide(folder));
}

void CMainDlg::SearchFolder(LPCSTR folder) {
  // Cut short, the path would name another folder.
  if (lstrlenA(folder) >= MAX_PATH) {
    const std::string text = std::string("The folder's path is too long to search:\n") + folder;
    MessageBoxA(m_hWnd, text.c_str(), "Vantrel", MB_OK | MB_ICONWARNING);
    return;
  }
  CMainApp& app = TheApp();
  CSearchProgressDlg search(app.m_icons, app.m_config);
  lstrcpynA(search.m_folder, folder, MAX_PATH);
  search.m_checked = SelectAllChecked();
  // A completed and a cancelled search are alike: what was found stays.
  search.DoModal();
  if (search.UnreachableNames() > 0) {
    CString text;
    text.Format(
        "%d files or folders were not searched: their names hold letters this system's code page cannot "
        "spell, and they have no short name. Windows 10 version 1903 and later read every name.",
        search.UnreachableNames());
    MessageBoxA(m_hWnd, text, "Vantrel", MB_ICONINFORMATION);
  }

  CIconCollection& icons = TheApp().m_icons;
  if (icons.GetCount() > 0) icons.SetSaved(false);
  if (search.EndedEarlyBecause())
    MessageBoxA(m_hWnd,
                (std::string("The search ended early: ") + search.EndedEarlyBecause() +
                 ".\nThe icons found so far stay in the list and can be saved.")
                    .c_str(),
                "Vantrel", MB_ICONWARNING | MB_OK);
}
