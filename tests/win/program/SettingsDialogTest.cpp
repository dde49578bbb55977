// The Setting dialog run modally inside the test process: which key each box
// shows and writes.

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

using SettingsDialogTest = AppTest;

// All flags on but one: the box of exactly that one is clear, and OK writes
// exactly its key off (and "1" for the others, whatever value was stored).
TEST_F(SettingsDialogTest, EachFlagIsReadFromAndWrittenToItsOwnKey) {
  TheApp().WriteDefaultSettings();
  for (const KeyBox& off : kFlagBoxes) {
    SCOPED_TRACE(off.key);
    for (const KeyBox& flag : kFlagBoxes) WriteSetting(flag.section, flag.key, flag.id == off.id ? "0" : "1000");
    ScriptedDialog<CSettingsDlg> dialog;
    dialog.steps.push_back([&] {
      for (const KeyBox& flag : kFlagBoxes)
        EXPECT_EQ(dialog.IsDlgButtonChecked(flag.id), flag.id == off.id ? BST_UNCHECKED : BST_CHECKED) << flag.key;
      dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Raw(flag.section, flag.key), flag.id == off.id ? "0" : "1") << flag.key;
  }
}

}  // namespace
