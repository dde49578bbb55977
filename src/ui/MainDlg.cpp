#include "ui/MainDlg.h"

#include <commctrl.h>

#include <algorithm>

#include "app/MainApp.h"
#include "base/Settings.h"
#include "controls/DisplayScale.h"
#include "collection/IconPictures.h"
#include "controls/XPMenu.h"
#include "framework/Gdi.h"
#include "resources/resource.h"
#include "ui/ButtonLook.h"
#include "ui/SavedPlacement.h"

namespace {

const COLORREF kPanelColor = RGB(192, 208, 240);
const COLORREF kPathTextColor = RGB(192, 97, 10);
const COLORREF kPathBackColor = RGB(251, 244, 170);
const COLORREF kOptionTextColor = RGB(8, 0, 0);
// The Normal view's picture sides at 96 DPI; the other views show 16.
const int kPictureSteps[] = {32, 48, 64, 96, 128, 256};

struct CommandImage {
  UINT command;
  UINT icon;
};
// Help has no image.
const CommandImage kCommandImages[] = {
    {ID_ADD_FILE, IDI_ADD_FILE}, {ID_ADD_FOLDER, IDI_ADD_FOLDER}, {ID_EXIT, IDI_EXIT},
    {ID_SAVE, IDI_SAVE},         {ID_SAVE_AS, IDI_SAVE_AS},       {ID_CLEAR_ALL, IDI_CLEAR_ALL},
    {ID_SETTING, IDI_SETTING},   {ID_ABOUT, IDI_ABOUT},
};
const int kMenuImageSize = 16;

// The list and the path box take the room a larger window gives; the rows
// under the list keep to the bottom, the save buttons to the right.
const AnchoredControl kAnchors[] = {
    {IDC_ICON_LIST, kGrowRight | kGrowDown},
    {IDC_VIEW_NORMAL, kMoveDown},
    {IDC_VIEW_SMALL, kMoveDown},
    {IDC_VIEW_LIST, kMoveDown},
    {IDC_SELECT_ALL, kMoveRight | kMoveDown},
    {IDC_CONTAINED_LABEL, kMoveDown},
    {IDC_PATH_EDIT, kGrowRight | kMoveDown},
    {IDC_ADD_FILE, kMoveDown},
    {IDC_ADD_FOLDER, kMoveDown},
    {IDC_CLEAR_ALL, kMoveDown},
    {IDC_SAVE, kMoveRight | kMoveDown},
    {IDC_SAVE_AS, kMoveRight | kMoveDown},
};

}  // namespace

CMainDlg::CMainDlg(CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_hIcon(LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_MAIN))),
      m_panelBrush(kPanelColor),
      m_pathBrush(kPathBackColor) {}

void CMainDlg::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_CLEAR_ALL, m_clearAllButton);
  DDX_Control(dx, IDC_SELECT_ALL, m_selectAllCheck);
  DDX_Control(dx, IDC_VIEW_NORMAL, m_viewNormal);
  DDX_Control(dx, IDC_VIEW_SMALL, m_viewSmall);
  DDX_Control(dx, IDC_VIEW_LIST, m_viewList);
  DDX_Control(dx, IDC_PATH_EDIT, m_pathEdit);
  DDX_Control(dx, IDC_SAVE, m_saveButton);
  DDX_Control(dx, IDC_SAVE_AS, m_saveAsButton);
  DDX_Control(dx, IDC_ADD_FOLDER, m_addFolderButton);
  DDX_Control(dx, IDC_ADD_FILE, m_addFileButton);
  DDX_Control(dx, IDC_ICON_LIST, m_iconList);
  DDX_Control(dx, IDC_CONTAINED_LABEL, m_containedLabel);
}

BOOL CMainDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CXPMenu::SetXPLook(this, true);
  CXPMenu::UpdateMenuBar(this);
  SetUpMenuImages();
  m_containedLabel.SetBackgroundColor(kPanelColor);
  ApplyButtonLook(m_addFileButton, IDI_ADD_FILE);
  ApplyButtonLook(m_addFolderButton, IDI_ADD_FOLDER);
  ApplyButtonLook(m_clearAllButton, IDI_CLEAR_ALL);
  ApplyButtonLook(m_saveButton, IDI_SAVE);
  ApplyButtonLook(m_saveAsButton, IDI_SAVE_AS);

  m_accelerators.Reset(LoadAcceleratorsA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_ACCELERATORS)));
  CMainApp& app = TheApp();
  const Settings settings = ReadSettings(app.m_config);
  ApplyViewSetting(settings.view);
  m_selectAllCheck.SetCheck(settings.selectAll ? BST_CHECKED : BST_UNCHECKED);

  for (int side : kPictureSteps)
    if (side == settings.pictureSize) m_pictureSize = side;
  const int dpi = DisplayDpi();
  m_iconList.SetExtendedStyle(m_iconList.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  m_iconList.SetPictureSides(ScaleToDpi(m_pictureSize, dpi), ScaleToDpi(kSmallIconSize, dpi));
  m_iconList.OnDropped([this](const std::vector<std::string>& paths) { AddDropped(paths); });
  m_iconList.OnZoom([this](int direction) { StepPictureSize(direction); });

  app.m_icons.SetView(&m_iconList);
  m_iconList.ShowIcons(&app.m_icons);

  m_layout.Capture(m_hWnd, kAnchors, sizeof kAnchors / sizeof kAnchors[0]);
  GetWindowRect(&m_normalPlace);
  RestoreWindowPlace(m_hWnd, settings.window, m_layout.MinimumSize());
  return TRUE;
}

void CMainDlg::SetUpMenuImages() {
  const int side = ScaleToDpi(kMenuImageSize, DisplayDpi());
  m_menuImages.Create(side, side, ILC_COLOR32 | ILC_MASK, 0, 4);
  for (const CommandImage& image : kCommandImages) {
    const CIconHandle icon(static_cast<HICON>(
        LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(image.icon), IMAGE_ICON, side, side, 0)));
    CXPMenu::SetCommandImage(this, image.command, m_menuImages, m_menuImages.Add(icon.Get()));
  }
}

void CMainDlg::StepPictureSize(int direction) {
  const int steps = static_cast<int>(sizeof kPictureSteps / sizeof kPictureSteps[0]);
  int step = 0;
  while (step + 1 < steps && kPictureSteps[step] < m_pictureSize) ++step;
  step = std::clamp(step + direction, 0, steps - 1);
  if (kPictureSteps[step] == m_pictureSize) return;
  m_pictureSize = kPictureSteps[step];
  const CConfigFile& config = TheApp().m_config;
  Settings settings = ReadSettings(config);
  settings.pictureSize = m_pictureSize;
  WriteSettings(config, settings);
  const int dpi = DisplayDpi();
  m_iconList.SetPictureSides(ScaleToDpi(m_pictureSize, dpi), ScaleToDpi(kSmallIconSize, dpi));
}

void CMainDlg::SetViewStyle(ViewMode mode) {
  const DWORD type = mode == ViewMode::Small ? LVS_SMALLICON : mode == ViewMode::List ? LVS_LIST : LVS_ICON;
  if (!m_iconList.ModifyStyle(LVS_TYPEMASK, type)) return;
  // The list lays its items out again and only repaints what it thinks moved:
  // the old view's pictures stayed on screen wherever nothing new covered them.
  m_iconList.SendMessage(LVM_ARRANGE, LVA_DEFAULT);
  m_iconList.Invalidate(TRUE);
}

void CMainDlg::OnSize(UINT type, int width, int height) {
  if (type == SIZE_MINIMIZED) return;
  if (type == SIZE_RESTORED) GetWindowRect(&m_normalPlace);
  m_layout.Apply(m_hWnd, width, height);
  // The pictures flow into the list's new width.
  m_iconList.SendMessage(LVM_ARRANGE, LVA_DEFAULT);
}

void CMainDlg::ApplyViewSetting(ViewMode mode) {
  m_viewNormal.SetCheck(mode == ViewMode::Normal ? BST_CHECKED : BST_UNCHECKED);
  m_viewSmall.SetCheck(mode == ViewMode::Small ? BST_CHECKED : BST_UNCHECKED);
  m_viewList.SetCheck(mode == ViewMode::List ? BST_CHECKED : BST_UNCHECKED);
  SetViewStyle(mode);
}

BOOL CMainDlg::PreTranslateMessage(MSG* msg) {
  if (m_accelerators && TranslateAcceleratorA(m_hWnd, m_accelerators.Get(), msg)) return TRUE;
  // Enter never reaches the dialog's OK.
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CMainDlg::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (LRESULT result = 0; OnPathMessage(msg, wParam, lParam, result)) return result;
  switch (msg) {
    case WM_MOUSEWHEEL:
      // The wheel over the list while another control has the focus.
      if (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) {
        StepPictureSize(GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? 1 : -1);
        return 0;
      }
      break;
    case WM_QUERYDRAGICON:
      return reinterpret_cast<LRESULT>(m_hIcon);
    case WM_GETMINMAXINFO:
      m_layout.LimitTrackSize(reinterpret_cast<MINMAXINFO*>(lParam));
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_MOVE:
      if (!IsIconic() && !::IsZoomed(m_hWnd)) GetWindowRect(&m_normalPlace);
      break;
    case WM_DESTROY:
    {
      const CConfigFile& config = TheApp().m_config;
      Settings settings = ReadSettings(config);
      settings.window = PlaceToRemember(m_hWnd, m_normalPlace);
      WriteSettings(config, settings);
      CXPMenu::SetXPLook(this, false);
    }
      break;
    case WM_INITMENUPOPUP: {
      // The system fills in the menu first (the system menu's states above all).
      const LRESULT result = CDialog::WindowProc(msg, wParam, lParam);
      CXPMenu::UpdateMenu(this, reinterpret_cast<HMENU>(wParam), CXPMenu::HasXPLook(this), false);
      return result;
    }
    case WM_MENUCHAR: {
      HMENU menu = reinterpret_cast<HMENU>(lParam);
      if (CXPMenu::IsMenuOwnerDrawn(menu)) return CXPMenu::MenuChar(menu, LOWORD(wParam), HIWORD(wParam));
      break;
    }
  }
  return CDialog::WindowProc(msg, wParam, lParam);
}

BOOL CMainDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT id = LOWORD(wParam);
  const UINT code = HIWORD(wParam);
  if (lParam != 0 && code != BN_CLICKED) return CDialog::OnCommand(wParam, lParam);
  switch (id) {
    case ID_ADD_FILE:
    case IDC_ADD_FILE:
      OnAddFile();
      return TRUE;
    case ID_ADD_FOLDER:
    case IDC_ADD_FOLDER:
      OnAddFolder();
      return TRUE;
    case ID_SAVE:
    case IDC_SAVE:
      OnSave();
      return TRUE;
    case ID_SAVE_AS:
    case IDC_SAVE_AS:
      OnSaveAs();
      return TRUE;
    case ID_CLEAR_ALL:
    case IDC_CLEAR_ALL:
      OnClearAll();
      return TRUE;
    case ID_SETTING:
      OnSetting();
      return TRUE;
    case ID_HELP:
      OnHelp();
      return TRUE;
    case ID_ABOUT:
      OnAbout();
      return TRUE;
    case ID_EXIT:
      OnExit();
      return TRUE;
    case ID_COPY_ICON:
      OnCopyIcon();
      return TRUE;
    case ID_PICTURES_LARGER:
    case ID_PICTURES_SMALLER:
      StepPictureSize(id == ID_PICTURES_LARGER ? 1 : -1);
      return TRUE;
    case IDC_SELECT_ALL:
      OnSelectAll();
      return TRUE;
    case IDC_VIEW_NORMAL:
      SetViewStyle(ViewMode::Normal);
      return TRUE;
    case IDC_VIEW_SMALL:
      SetViewStyle(ViewMode::Small);
      return TRUE;
    case IDC_VIEW_LIST:
      SetViewStyle(ViewMode::List);
      return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

BOOL CMainDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->idFrom == IDC_ICON_LIST && header->code == NM_CLICK) {
    OnListClick(header);
    *result = 0;
    return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

void CMainDlg::OnSelectAll() {
  TheApp().m_icons.SetTicked(-1, SelectAllChecked() != FALSE);
}

void CMainDlg::OnListClick(const NMHDR* header) {
  const int index = reinterpret_cast<const NMITEMACTIVATE*>(header)->iItem;
  const CIconCollection& icons = TheApp().m_icons;
  if (index < 0 || index >= icons.GetCount()) return;
  m_pathEdit.SetWindowText(icons.GetSource(index)->Path());
}

void CMainDlg::OnPaint() {
  CPaintDC dc(this);
  if (IsIconic()) {
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
    return;
  }
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, kPanelColor);
}

void CMainDlg::OnDrawItem(int id, LPDRAWITEMSTRUCT item) {
  if (!CXPMenu::DrawItem(item, m_hWnd)) CDialog::OnDrawItem(id, item);
}

void CMainDlg::OnMeasureItem(int, LPMEASUREITEMSTRUCT item) { CXPMenu::MeasureItem(item); }

HBRUSH CMainDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CDialog::OnCtlColor(dc, control, ctlType);
  if (!control) return framework;
  if (ctlType == CTLCOLOR_STATIC && (control->GetStyle() & ES_READONLY) && control->GetDlgCtrlID() == IDC_PATH_EDIT) {
    dc->SetBkMode(OPAQUE);
    dc->SetTextColor(kPathTextColor);
    dc->SetBkColor(kPathBackColor);
    return m_pathBrush;
  }
  switch (control->GetDlgCtrlID()) {
    case IDC_SELECT_ALL:
    case IDC_VIEW_NORMAL:
    case IDC_VIEW_SMALL:
    case IDC_VIEW_LIST:
      dc->SetBkMode(TRANSPARENT);
      dc->SetTextColor(kOptionTextColor);
      return m_panelBrush;
  }
  return framework;
}

bool CMainDlg::ConfirmUnsavedIcons() {
  const CIconCollection& icons = TheApp().m_icons;
  if (icons.IsSaved() || icons.GetCount() == 0) return true;
  const char* question = icons.GetCount() == 1 ? "You haven't saved the icon.\nAre you sure to exit?"
                                                : "You haven't saved the icons.\nAre you sure to exit?";
  return MessageBoxA(m_hWnd, question, "Vantrel", MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void CMainDlg::EmptyIconList() { TheApp().m_icons.EmptyWithViews(&m_pathEdit); }

void CMainDlg::CloseAfterAsking() {
  if (!ConfirmUnsavedIcons()) return;
  EmptyIconList();
  EndDialog(IDCANCEL);
}

void CMainDlg::OnClose() { CloseAfterAsking(); }

void CMainDlg::OnCancel() { CloseAfterAsking(); }
