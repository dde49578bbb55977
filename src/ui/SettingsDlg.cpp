#include "ui/SettingsDlg.h"

#include <uxtheme.h>
#include <shlobj.h>

#include "app/MainApp.h"
#include "base/Settings.h"
#include "resources/resource.h"
#include "save/SaveCommand.h"
#include "save/SaveNaming.h"
#include "save/SaveTypes.h"
#include "ui/ButtonLook.h"

namespace {

const COLORREF kFolderTextColor = RGB(192, 97, 10);
const COLORREF kFolderBackColor = RGB(251, 244, 170);
const COLORREF kLabelTextColor = RGB(0, 0, 0);
const COLORREF kGroupTextColor = RGB(0, 0, 255);

// The shell's allocator, released when done; null when the shell has none.
class ShellAllocator {
 public:
  ShellAllocator() {
    if (FAILED(SHGetMalloc(&m_malloc))) m_malloc = nullptr;
  }
  ~ShellAllocator() {
    if (m_malloc) m_malloc->Release();
  }
  ShellAllocator(const ShellAllocator&) = delete;
  ShellAllocator& operator=(const ShellAllocator&) = delete;

  IMalloc* Get() const { return m_malloc; }

 private:
  IMalloc* m_malloc = nullptr;
};

}  // namespace

CSettingsDlg::CSettingsDlg(CWnd* parent)
    : CPaleDialog(IDD_SETTINGS, parent), m_folderBrush(kFolderBackColor) {}

void CSettingsDlg::DoDataExchange(CDataExchange* dx) {
  CPaleDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_OPEN_DIR, m_openDirCheck);
  DDX_Control(dx, IDC_FILTER_SCR, m_scrCheck);
  DDX_Control(dx, IDC_FILTER_OCX, m_ocxCheck);
  DDX_Control(dx, IDC_FILTER_CPL, m_cplCheck);
  DDX_Control(dx, IDC_TITLE_PREFIX, m_prefixEdit);
  DDX_Control(dx, IDC_DEFAULT_TYPE, m_typeCombo);
  DDX_Control(dx, IDC_FILTER_ICL, m_iclCheck);
  DDX_Control(dx, IDC_FILTER_ICO, m_icoCheck);
  DDX_Control(dx, IDC_FILTER_EXE, m_exeCheck);
  DDX_Control(dx, IDC_FILTER_DLL, m_dllCheck);
  DDX_Control(dx, IDC_CONFIRM_CLEARING, m_confirmCheck);
  DDX_Control(dx, IDC_SELECT_ALL, m_selectAllCheck);
  DDX_Control(dx, IDOK, m_okButton);
  DDX_Control(dx, IDCANCEL, m_cancelButton);
  DDX_Control(dx, IDC_BROWSE_FOLDER, m_browseButton);
  DDX_Control(dx, IDC_LIBRARY_FOLDER, m_folderEdit);
}

BOOL CSettingsDlg::OnInitDialog() {
  CPaleDialog::OnInitDialog();
  ApplyButtonLook(m_browseButton, IDI_ADD_FOLDER);
  ApplyButtonLook(m_okButton, IDI_OK);
  ApplyButtonLook(m_cancelButton, IDI_CANCEL);
  // A themed group box draws its caption in the theme's colour; ours are blue. A
  // class list that names no class leaves it unthemed.
  for (const int group : {IDC_SAVE_GROUP, IDC_FILTER_GROUP}) ::SetWindowTheme(::GetDlgItem(m_hWnd, group), L" ", L" ");

  const Settings settings = ReadSettings(TheApp().m_config);
  m_folderEdit.SetWindowText(settings.libraryFolder.c_str());
  m_selectAllCheck.SetCheck(settings.selectAll ? BST_CHECKED : BST_UNCHECKED);
  m_confirmCheck.SetCheck(settings.confirmClear ? BST_CHECKED : BST_UNCHECKED);

  // Fixed positions, whatever the list's sort style: the type is read back
  // from the position, not from the text.
  for (size_t i = 0; i < kSaveTypeCount; ++i) m_typeCombo.InsertString(static_cast<int>(i), kSaveTypes[i].listName);
  m_typeCombo.SetCurSel(SaveTypePosition(SaveTypeFromSetting(settings.saveType.c_str())));

  m_prefixEdit.SetWindowText(settings.titlePrefix.c_str());
  m_openDirCheck.SetCheck(settings.openFolder ? BST_CHECKED : BST_UNCHECKED);
  for (size_t i = 0; i < kTypeSwitchCount; ++i)
    FilterBoxes()[i]->SetCheck(settings.filter[i] ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

BOOL CSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (LOWORD(wParam) == IDC_BROWSE_FOLDER && HIWORD(wParam) == BN_CLICKED) {
    OnBrowse();
    return TRUE;
  }
  return CPaleDialog::OnCommand(wParam, lParam);
}

void CSettingsDlg::OnBrowse() {
  const ShellAllocator allocator;
  if (!allocator.Get()) return;
  BROWSEINFOA info{};
  info.hwndOwner = m_hWnd;
  info.lpszTitle = "Please select a folder to restore icons.";
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
  if (!chosen) return;
  // Wide: a path of more than 260 bytes in the code page still fits.
  wchar_t path[MAX_PATH + 1] = {};
  const bool hasPath = SHGetPathFromIDListW(chosen, path) != FALSE;
  allocator.Get()->Free(chosen);
  // Shown at once, but stored only by OK.
  if (hasPath) m_folderEdit.SetWindowText(AnsiFromWide(path));
}

std::array<CButton*, kTypeSwitchCount> CSettingsDlg::FilterBoxes() {
  std::array<CButton*, kTypeSwitchCount> boxes{};
  boxes[static_cast<size_t>(TypeSwitch::Exe)] = &m_exeCheck;
  boxes[static_cast<size_t>(TypeSwitch::Dll)] = &m_dllCheck;
  boxes[static_cast<size_t>(TypeSwitch::Ico)] = &m_icoCheck;
  boxes[static_cast<size_t>(TypeSwitch::Icl)] = &m_iclCheck;
  boxes[static_cast<size_t>(TypeSwitch::Cpl)] = &m_cplCheck;
  boxes[static_cast<size_t>(TypeSwitch::Ocx)] = &m_ocxCheck;
  boxes[static_cast<size_t>(TypeSwitch::Scr)] = &m_scrCheck;
  return boxes;
}

bool CSettingsDlg::AnyTypeChecked() {
  for (CButton* box : FilterBoxes())
    if (box->GetCheck() == BST_CHECKED) return true;
  return false;
}

bool CSettingsDlg::NamesUsable() {
  CString folder, prefix;
  m_folderEdit.GetWindowText(folder);
  m_prefixEdit.GetWindowText(prefix);
  std::string refusal;
  const std::string problem = BaseNameProblem(prefix);
  if (!problem.empty())
    refusal = "The title prefix \"" + std::string(prefix) + "\" cannot begin a file name: " + problem + ".";
  else if (!folder.IsEmpty() && !SavedNamesFit(folder, prefix, 1, kSaveTypes[0].extension))
    refusal = std::string(kFolderTooLong) + "\n" + std::string(folder);
  if (refusal.empty()) return true;
  MessageBoxA(m_hWnd, refusal.c_str(), "Vantrel", MB_OK | MB_ICONWARNING);
  (problem.empty() ? static_cast<CWnd&>(m_browseButton) : static_cast<CWnd&>(m_prefixEdit)).SetFocus();
  return false;
}

void CSettingsDlg::OnOK() {
  // Nothing is written until every box can be kept.
  if (!NamesUsable()) return;
  if (!AnyTypeChecked()) {
    MessageBoxA(m_hWnd, "You should select at least one type!", "Vantrel", MB_OK | MB_ICONWARNING);
    return;
  }
  const CConfigFile& config = TheApp().m_config;
  Settings settings = ReadSettings(config);
  CString text;
  m_folderEdit.GetWindowText(text);
  settings.libraryFolder = static_cast<LPCSTR>(text);
  settings.selectAll = m_selectAllCheck.GetCheck() == BST_CHECKED;
  settings.confirmClear = m_confirmCheck.GetCheck() == BST_CHECKED;
  const int type = m_typeCombo.GetCurSel();
  settings.saveType = kSaveTypes[type >= 0 && type < static_cast<int>(kSaveTypeCount) ? type : 0].extension;
  m_prefixEdit.GetWindowText(text);
  settings.titlePrefix = static_cast<LPCSTR>(text);
  settings.openFolder = m_openDirCheck.GetCheck() == BST_CHECKED;
  for (size_t i = 0; i < kTypeSwitchCount; ++i) settings.filter[i] = FilterBoxes()[i]->GetCheck() == BST_CHECKED;
  config.TakeWriteFailure();
  WriteSettings(config, settings);
  ReportUnstoredSettings(config, m_hWnd);
  CPaleDialog::OnOK();
}

HBRUSH CSettingsDlg::OnCtlColor(CDC* dc, CWnd* control, UINT ctlType) {
  const HBRUSH framework = CPaleDialog::OnCtlColor(dc, control, ctlType);
  if (!control) return framework;
  switch (control->GetDlgCtrlID()) {
    case IDC_LIBRARY_FOLDER:
      dc->SetBkMode(OPAQUE);
      dc->SetTextColor(kFolderTextColor);
      dc->SetBkColor(kFolderBackColor);
      return m_folderBrush;
    case IDC_SELECT_ALL:
    case IDC_CONFIRM_CLEARING:
    case IDC_FILTER_EXE:
    case IDC_FILTER_DLL:
    case IDC_FILTER_ICO:
    case IDC_FILTER_ICL:
    case IDC_PREFIX_LABEL:
    case IDC_TYPE_LABEL:
    case IDC_FILTER_CPL:
    case IDC_FILTER_SCR:
    case IDC_FILTER_OCX:
    case IDC_OPEN_DIR:
      return OnPale(dc, kLabelTextColor);
    case IDC_SAVE_GROUP:
    case IDC_FILTER_GROUP:
      return OnPale(dc, kGroupTextColor);
  }
  return framework;
}
