#pragma once
// The main window: the icon list with its views, the source path of the icon
// last clicked, the menu, the accelerators and the command buttons.

#include <deque>
#include <string>
#include <vector>

#include "base/Settings.h"
#include "controls/ColorLabel.h"
#include "controls/ShadedButton.h"
#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/Gdi.h"
#include "framework/Handle.h"
#include "framework/ImageList.h"
#include "ui/AnchoredLayout.h"
#include "ui/IconListCtrl.h"

class CMainDlg : public CDialog {
 public:
  explicit CMainDlg(CWnd* parent = nullptr);

  void SetViewStyle(ViewMode mode);
  // The view buttons and the list's view as the setting says.
  void ApplyViewSetting(ViewMode mode);
  // Whether newly loaded icons come ticked.
  BOOL SelectAllChecked() const { return m_selectAllCheck.GetCheck() == BST_CHECKED; }
  // Files and folders from the command line or a second start, opened in
  // order whenever the window is free: never under another dialog, never
  // while a worker runs.
  void QueuePaths(const std::vector<std::string>& paths);
  // One file dropped on the list or given on the command line: loaded as Add
  // File loads it when its type is taken, else the "Unsupported Type!" message.
  void AddFileAsDropped(const std::string& path);
  // Several files and folders dropped at once: each file added as Add File
  // adds it, each folder searched as Add Folder searches it, and one message
  // naming the files that gave no icon.
  void AddDropped(const std::vector<std::string>& paths);

  CButton m_selectAllCheck;
  CButton m_viewNormal;
  CButton m_viewSmall;
  CButton m_viewList;
  CEdit m_pathEdit;
  CShadedButton m_saveButton;
  CShadedButton m_saveAsButton;
  CShadedButton m_clearAllButton;
  CShadedButton m_addFolderButton;
  CShadedButton m_addFileButton;
  CIconListCtrl m_iconList;
  CColorLabel m_containedLabel;
  HICON m_hIcon;
  CImageList m_menuImages;
  CBrush m_panelBrush;
  CBrush m_pathBrush;
  CAcceleratorHandle m_accelerators;

 protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  void OnPaint() override;
  void OnDrawItem(int id, LPDRAWITEMSTRUCT item) override;
  void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) override;
  void OnClose() override;
  // Escape asks about unsaved icons and empties the list, as closing does.
  void OnCancel() override;

  // Asks before unsaved icons are dropped; true when the user agrees or there is nothing to lose.
  bool ConfirmUnsavedIcons();
  void EmptyIconList();

  // The commands, each reached from its menu item, and most from a button and a key too.
  void OnAddFile();
  void OnAddFolder();
  void OnSave();
  void OnSaveAs();
  void OnClearAll();
  void OnSetting();
  void OnHelp();
  void OnAbout();
  void OnExit();
  void OnCopyIcon();

 private:
  void SetUpMenuImages();
  // The Normal view's pictures one step larger (+1) or smaller (-1), remembered.
  void StepPictureSize(int direction);
  // The Normal view's picture side at 96 DPI, one of the steps.
  int m_pictureSize = 32;
  void OnSelectAll();
  void OnListClick(const NMHDR* header);
  void CloseAfterAsking();
  // Add Folder's search, with its progress dialog, of a folder already chosen.
  void SearchFolder(LPCSTR folder);
  // Loads one file as Add File does and says once why it gave no icon, or
  // not all of them, naming it.
  void LoadFileAndTell(const std::string& path, BOOL checked);
  // The same, giving the message's text instead ("" when all was read).
  std::string LoadFile(const std::string& path, BOOL checked);
  // The messages of the path hand-over; false leaves the message to the window.
  bool OnPathMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void OpenQueuedPaths();

  // The window's size follows the user; the controls follow the edges.
  void OnSize(UINT type, int width, int height);

  CAnchoredLayout m_layout;
  // The window's rectangle when last neither maximized nor minimized.
  RECT m_normalPlace{};
  std::deque<std::string> m_queuedPaths;
  bool m_openingPaths = false;
};
