// The save worker: each ticked item of the main list, in list order, read
// again from its source with every image and written under the next number.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "app/MainApp.h"
#include "formats/IconFileIO.h"
#include "save/BmpMessageBox.h"
#include "save/SaveNaming.h"
#include "save/SaveProgressDlg.h"

namespace {

bool IsModuleExtension(const std::string& extension) {
  return extension == "exe" || extension == "dll" || extension == "icl" || extension == "ocx" ||
         extension == "cpl" || extension == "scr";
}

// Null when the source is gone, changed or unreadable.
IconImageSetPtr ReadIcon(const IconFileIO& io, const IconSource* source) {
  if (!source) return nullptr;
  const std::string extension = LowercaseExtension(source->m_path);
  if (extension == "ico") return io.LoadIcoFile(source->m_path);
  if (IsModuleExtension(extension)) return io.LoadGroupIcon(source->m_path, source->m_resName);
  return nullptr;
}

bool WriteIcon(const IconFileIO& io, const IconImageSet& set, const CString& path, const CString& type) {
  if (type == "ico") return io.SaveIcoFile(set, std::string(path));
  if (type == "bmp") return io.SaveImageAsBmp(std::string(path), set);
  return false;
}

int Percent(int done, int total) {
  return total > 0 ? static_cast<int>(static_cast<int64_t>(done) * 100 / total) : 0;
}

// Shows the count on the bar and the label. Each message to them waits for
// the user-interface thread, which redraws at once; a redraw more often than
// the screen could show costs the worker more than the writing itself, so
// changes are shown at most once a frame, and the last one always.
class ProgressDisplay {
 public:
  ProgressDisplay(CSaveProgressDlg& dialog, HWND bar, HWND label) : m_dialog(dialog), m_bar(bar), m_label(label) {}

  void Update() {
    if (::GetTickCount() - m_shownAt >= kFrameMilliseconds) Show();
  }
  void Flush() {
    if (m_shownDone != m_dialog.m_done) Show();
  }

 private:
  static constexpr DWORD kFrameMilliseconds = 16;

  void Show() {
    m_shownDone = m_dialog.m_done;
    m_shownAt = ::GetTickCount();
    ::SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(m_shownDone), 0);
    CString percent;
    percent.Format("%d", Percent(m_shownDone, m_dialog.m_total));
    if (percent == m_dialog.m_percentText) return;
    m_dialog.m_percentText = percent;
    ::SetWindowTextA(m_label, m_dialog.m_percentText);
  }

  CSaveProgressDlg& m_dialog;
  const HWND m_bar;
  const HWND m_label;
  int m_shownDone = 0;
  DWORD m_shownAt = ::GetTickCount() - kFrameMilliseconds;
};

}  // namespace

UINT SaveWorker(LPVOID param) {
  CSaveProgressDlg& dialog = *static_cast<CSaveProgressDlg*>(param);
  const CString folder = WithTrailingBackslash(dialog.m_folder);
  const CString baseName = dialog.m_baseName;
  const CString type = dialog.m_type;
  // Handles, not the wrappers: the wrappers are the user-interface thread's.
  const HWND dialogWindow = dialog.m_hWnd;
  ProgressDisplay progress(dialog, dialog.m_progress.m_hWnd, dialog.m_percentLabel.m_hWnd);
  const CListCtrl* list = dialog.m_list;
  const CIconCollection& icons = TheApp().m_icons;
  const IconFileIO io(ShowBmpMessage);

  const int count = list ? list->GetItemCount() : 0;
  for (int i = 0; i < count; ++i) {
    if (dialog.m_cancel) {
      progress.Flush();
      return 0;
    }
    if (!list->GetCheck(i)) continue;
    // Released at the end of each pass, also when the write fails.
    const IconImageSetPtr set = ReadIcon(io, icons.GetSource(i));
    if (!set) continue;
    const CString path = SavedFileName(folder, baseName, dialog.m_nextNumber++, type);
    if (!WriteIcon(io, *set, path, type)) continue;
    ++dialog.m_done;
    progress.Update();
  }
  progress.Flush();
  // The last touch of the dialog: it ends once this thread is gone.
  ::PostMessageA(dialogWindow, WM_SAVE_FINISHED, 0, 0);
  return 1;
}
