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

// Runs OK while a watcher answers the box it shows; the box's text, or "" when none showed.
std::string OkBoxText(CWnd& dialog) {
  DialogWatcher watcher("Vantrel", Press(IDOK), dialog.m_hWnd);
  dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
  return watcher.Finish() ? watcher.Seen().text : std::string();
}

// A prefix that is no file name, or a folder too long for the saved names
// (read whole), keeps the dialog open and writes nothing.
TEST_F(SettingsDialogTest, NamesThatCannotBeSavedUnderAreRefused) {
  TheApp().WriteDefaultSettings();
  const std::string longFolder = folder.File(std::string(400, 'y'));
  WriteSetting("Setting", "RestorePath", longFolder.c_str());
  ScriptedDialog<CSettingsDlg> dialog;
  dialog.steps.push_back([&] {
    const std::pair<const char*, std::string> refusals[] = {
        {"..\\up", "The title prefix \"..\\up\" cannot begin a file name: it holds \"..\", which names the folder above."},
        {"a:b", "The title prefix \"a:b\" cannot begin a file name: it holds \":\", which no file name can hold."},
        {"Star", "The folder's path is too long for the names of the saved icons:\n" + longFolder}};
    for (const auto& [prefix, text] : refusals) {
      dialog.SetDlgItemText(IDC_TITLE_PREFIX, prefix);
      EXPECT_EQ(OkBoxText(dialog), text);
    }
    EXPECT_EQ(Raw("Setting", "TitlePrefix"), "Untitled");
    dialog.SetDlgItemText(IDC_LIBRARY_FOLDER, folder.Path().c_str());
    EXPECT_EQ(OkBoxText(dialog), "");
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(Raw("Setting", "TitlePrefix") + Raw("Setting", "RestorePath"), "Star" + folder.Path());
}

// Config.ini held by another program: OK says the settings were not stored
// and why, and they are read back for the rest of the run.
TEST_F(SettingsDialogTest, SettingsThatCannotBeStoredAreReportedAndKeptForTheRun) {
  TheApp().WriteDefaultSettings();
  ScriptedDialog<CSettingsDlg> dialog;
  std::string shown;
  dialog.steps.push_back([&] {
    dialog.SetDlgItemText(IDC_TITLE_PREFIX, "Kept");
    const HANDLE held = CreateFileA(configPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    shown = OkBoxText(dialog);
    CloseHandle(held);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(shown.rfind("The settings could not be stored in " + configPath + ":\n", 0), 0u) << shown;
  EXPECT_NE(shown.find("\n\nThey are used until Vantrel ends."), std::string::npos) << shown;
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "Untitled");
  EXPECT_EQ(std::string(TheApp().m_config.GetString("Setting", "TitlePrefix")), "Kept");
}

}  // namespace
