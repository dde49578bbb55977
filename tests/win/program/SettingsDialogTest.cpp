// The Setting dialog run modally inside the test process: which key each box
// shows and writes, and the one-type check.

#include <gtest/gtest.h>

#include <memory>

#include "ProgramTestSupport.h"
#include "ui/SettingsDlg.h"
#include "resources/resource.h"

namespace {

struct KeyBox {
  const char* section;
  const char* key;
  int id;
};

const KeyBox kFlagBoxes[] = {
    {"Setting", "SelectAll", IDC_SELECT_ALL}, {"Setting", "Confirm", IDC_CONFIRM_CLEARING},
    {"Setting", "OpenDir", IDC_OPEN_DIR},     {"Filter", "Exe", IDC_FILTER_EXE},
    {"Filter", "Dll", IDC_FILTER_DLL},        {"Filter", "Ico", IDC_FILTER_ICO},
    {"Filter", "Icl", IDC_FILTER_ICL},        {"Filter", "Cpl", IDC_FILTER_CPL},
    {"Filter", "Ocx", IDC_FILTER_OCX},        {"Filter", "Scr", IDC_FILTER_SCR},
};

class SettingsDialogTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
  }
  void Then(std::function<void()> step) { dlg->steps.push_back(std::move(step)); }
  INT_PTR Run() { return dlg->DoModal(); }
  // A fresh dialog for the next run of a table.
  void Reopen() { dlg = std::make_unique<ScriptedDialog<CSettingsDlg>>(); }
  bool Checked(int id) const { return dlg->IsDlgButtonChecked(id) == BST_CHECKED; }
  void SetCheck(int id, bool checked) { dlg->CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED); }
  std::string Text(int id) const {
    CString text;
    dlg->GetDlgItemText(id, text);
    return std::string(text);
  }
  void Press(int button) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(button, BN_CLICKED)); }
  std::unique_ptr<ScriptedDialog<CSettingsDlg>> dlg = std::make_unique<ScriptedDialog<CSettingsDlg>>();
};

// All flags on but one: the box of exactly that one is clear, and OK writes
// exactly its key off (and "1" for the others, whatever value was stored).
TEST_F(SettingsDialogTest, EachFlagIsReadFromAndWrittenToItsOwnKey) {
  for (const KeyBox& off : kFlagBoxes) {
    SCOPED_TRACE(off.key);
    for (const KeyBox& flag : kFlagBoxes) WriteSetting(flag.section, flag.key, flag.id == off.id ? "0" : "1000");
    Reopen();
    Then([&] {
      for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Checked(flag.id), flag.id != off.id) << flag.key;
      Press(IDOK);
    });
    EXPECT_EQ(Run(), IDOK);
    for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Raw(flag.section, flag.key), flag.id == off.id ? "0" : "1") << flag.key;
  }
}

// The save settings are written before the check and stay written; the
// filter and OpenDir are not.
TEST_F(SettingsDialogTest, NoTypeWarnsKeepsTheDialogAndWritesOnlyTheSaveSettings) {
  SeenDialog warning;
  Then([&] {
    dlg->SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\New Library");
    SetCheck(IDC_SELECT_ALL, false);
    SetCheck(IDC_CONFIRM_CLEARING, false);
    dlg->m_typeCombo.SetCurSel(1);
    dlg->SetDlgItemText(IDC_TITLE_PREFIX, "Kept");
    for (const KeyBox& flag : kFlagBoxes) SetCheck(flag.id, false);
    DialogWatcher box("Vantrel", ::Press(IDOK), dlg->m_hWnd);
    Press(IDOK);
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Seen().owner, dlg->m_hWnd);
    warning = box.Seen();
  });
  Then([&] {
    EXPECT_TRUE(dlg->IsWindowVisible());
    EXPECT_EQ(Text(IDC_TITLE_PREFIX), "Kept");
    Press(IDCANCEL);
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(warning.text, "You should select at least one type!");
  const std::pair<const char*, const char*> written[] = {{"RestorePath", "E:\\New Library"}, {"SelectAll", "0"},
                                                         {"Confirm", "0"}, {"DefaultType", "bmp"},
                                                         {"TitlePrefix", "Kept"}, {"OpenDir", "1"}};
  for (const auto& [key, value] : written) EXPECT_EQ(Raw("Setting", key), value) << key;
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) EXPECT_EQ(Raw("Filter", key), "1") << key;
}

}  // namespace
