// The Setting dialog run modally inside the test process: what it shows of
// Config.ini, what OK writes and in which order, the one-type check, the
// folder browser and its colours.

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
const int kTypeBoxes[] = {IDC_FILTER_EXE, IDC_FILTER_DLL, IDC_FILTER_ICO, IDC_FILTER_ICL,
                          IDC_FILTER_CPL, IDC_FILTER_OCX, IDC_FILTER_SCR};

class SettingsDialogTest : public AppTest {
 protected:
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
  void PressOk() { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }
  void PressCancel() { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }
  void UncheckAllTypes() {
    for (const int id : kTypeBoxes) SetCheck(id, false);
  }
  std::unique_ptr<ScriptedDialog<CSettingsDlg>> dlg = std::make_unique<ScriptedDialog<CSettingsDlg>>();
};

TEST_F(SettingsDialogTest, ShowsTheTextsOfTheFileAndMissingFlagsUnchecked) {
  WriteSetting("Setting", "RestorePath", "D:\\Icon Library");
  WriteSetting("Setting", "TitlePrefix", "Star");
  Then([this] {
    EXPECT_EQ(Text(IDC_LIBRARY_FOLDER), "D:\\Icon Library");
    EXPECT_EQ(Text(IDC_TITLE_PREFIX), "Star");
    for (const KeyBox& flag : kFlagBoxes) EXPECT_FALSE(Checked(flag.id)) << flag.key;
    // Icon File first although the list sorts.
    ASSERT_EQ(dlg->m_typeCombo.GetCount(), 2);
    EXPECT_EQ(dlg->m_typeCombo.GetCurSel(), 0);
    char text[32] = {};
    dlg->m_typeCombo.SendMessage(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Icon File");
    dlg->m_typeCombo.SendMessage(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Bmp File");
  });
  EXPECT_EQ(Run(), kStepsDone);
}

// All flags on but one: the box of exactly that one is clear, and OK writes
// exactly its key off (and "1" for the others, whatever value was stored).
TEST_F(SettingsDialogTest, EachFlagIsReadFromAndWrittenToItsOwnKey) {
  for (const KeyBox& off : kFlagBoxes) {
    SCOPED_TRACE(off.key);
    for (const KeyBox& flag : kFlagBoxes) WriteSetting(flag.section, flag.key, flag.id == off.id ? "0" : "1000");
    Reopen();
    Then([&] {
      for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Checked(flag.id), flag.id != off.id) << flag.key;
      PressOk();
    });
    EXPECT_EQ(Run(), IDOK);
    for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Raw(flag.section, flag.key), flag.id == off.id ? "0" : "1") << flag.key;
  }
}

TEST_F(SettingsDialogTest, DefaultTypeIsReadInAnyCaseAndWrittenInLowerCase) {
  const std::pair<const char*, int> cases[] = {{"bmp", 1}, {"BMP", 1}, {"bMp", 1}, {"ico", 0},
                                               {"ICO", 0}, {"", 0},    {"png", 0}, {"bmpx", 0}};
  TheApp().WriteDefaultSettings();
  for (const auto& [stored, position] : cases) {
    SCOPED_TRACE(std::string("DefaultType=") + stored);
    WriteSetting("Setting", "DefaultType", stored);
    Reopen();
    Then([&, position = position] {
      EXPECT_EQ(dlg->m_typeCombo.GetCurSel(), position);
      PressOk();
    });
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(Raw("Setting", "DefaultType"), position ? "bmp" : "ico");
  }
}

TEST_F(SettingsDialogTest, OkWritesWhatTheUserChangedInTheOrderOfTheFile) {
  Then([this] {
    dlg->SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\Lib");
    SetCheck(IDC_SELECT_ALL, true);
    SetCheck(IDC_CONFIRM_CLEARING, false);
    dlg->m_typeCombo.SetCurSel(1);
    dlg->SetDlgItemText(IDC_TITLE_PREFIX, "");
    SetCheck(IDC_OPEN_DIR, true);
    const bool types[] = {true, false, true, false, false, true, false};
    for (int i = 0; i < 7; ++i) SetCheck(kTypeBoxes[i], types[i]);
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  const std::vector<std::string> expected = {
      "[Setting]", "RestorePath=E:\\Lib", "SelectAll=1", "Confirm=0", "DefaultType=bmp", "TitlePrefix=",
      "OpenDir=1", "[Filter]",            "Exe=1",       "Dll=0",     "Ico=1",           "Icl=0",
      "Cpl=0",     "Ocx=1",               "Scr=0"};
  EXPECT_EQ(ReadLines(configPath), expected);
}

TEST_F(SettingsDialogTest, CancelWritesNothing) {
  TheApp().WriteDefaultSettings();
  const std::vector<uint8_t> before = ReadBytes(configPath);
  Then([this] {
    dlg->SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\Elsewhere");
    dlg->SetDlgItemText(IDC_TITLE_PREFIX, "Other");
    dlg->m_typeCombo.SetCurSel(1);
    for (const KeyBox& flag : kFlagBoxes) SetCheck(flag.id, false);
    SetCheck(IDC_FILTER_ICL, true);
    PressCancel();
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(ReadBytes(configPath), before);
}

TEST_F(SettingsDialogTest, NoTypeWarnsKeepsTheDialogAndWritesOnlyTheFiveSaveSettings) {
  TheApp().WriteDefaultSettings();
  SeenDialog warning;
  bool warned = false;
  HWND dialog = nullptr;
  Then([&] {
    dialog = dlg->m_hWnd;
    dlg->SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\New Library");
    SetCheck(IDC_SELECT_ALL, false);
    SetCheck(IDC_CONFIRM_CLEARING, false);
    dlg->m_typeCombo.SetCurSel(1);
    dlg->SetDlgItemText(IDC_TITLE_PREFIX, "Kept");
    SetCheck(IDC_OPEN_DIR, false);
    UncheckAllTypes();
    DialogWatcher box("Vantrel", Press(IDOK), dlg->m_hWnd);
    PressOk();
    warned = box.Finish();
    warning = box.Seen();
  });
  Then([&] {
    EXPECT_TRUE(dlg->IsWindowVisible());
    const std::pair<const char*, const char*> written[] = {{"RestorePath", "E:\\New Library"},
                                                           {"SelectAll", "0"},
                                                           {"Confirm", "0"},
                                                           {"DefaultType", "bmp"},
                                                           {"TitlePrefix", "Kept"},
                                                           {"OpenDir", "1"}};
    for (const auto& [key, value] : written) EXPECT_EQ(Raw("Setting", key), value) << key;
    for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"}) EXPECT_EQ(Raw("Filter", key), "1") << key;
    // The user's entries stay as they were.
    EXPECT_EQ(Text(IDC_TITLE_PREFIX), "Kept");
    EXPECT_FALSE(Checked(IDC_OPEN_DIR));
    PressCancel();
  });
  EXPECT_EQ(Run(), IDCANCEL);
  ASSERT_TRUE(warned);
  EXPECT_EQ(warning.text, "You should select at least one type!");
  EXPECT_EQ(warning.owner, dialog);
  EXPECT_EQ(warning.visibleButtons, std::vector<int>{IDOK});
  // Cancel does not take back what the refused OK wrote.
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "Kept");
}

TEST_F(SettingsDialogTest, AnySingleTypeIsEnough) {
  for (const int type : kTypeBoxes) {
    SCOPED_TRACE(type);
    Reopen();
    Then([&] {
      UncheckAllTypes();
      SetCheck(type, true);
      DialogWatcher noBox("Vantrel", Press(IDOK), dlg->m_hWnd);
      PressOk();
      EXPECT_FALSE(noBox.Finish());
    });
    EXPECT_EQ(Run(), IDOK);
  }
}

struct BrowseCase {
  const char* name;
  int browserButton;
  int dialogButton;
  bool shownChosen;
  bool writtenChosen;
};

class SettingsDialogBrowseTest : public SettingsDialogTest, public ::testing::WithParamInterface<BrowseCase> {};

// The folder picked in the browser shows at once but reaches the file only
// through the dialog's OK.
TEST_P(SettingsDialogBrowseTest, ChosenFolderIsShownAndWrittenOnlyOnOk) {
  const BrowseCase& c = GetParam();
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "RestorePath", "C:\\Old Library");
  const std::string chosen = folder.File("Chosen");
  CreateDirectoryA(chosen.c_str(), nullptr);
  bool picked = false;  // written by the watcher's thread, read after Finish
  std::unique_ptr<DialogWatcher> watcher;
  Then([&] {
    watcher = std::make_unique<DialogWatcher>("",
                                              [&](HWND browser) {
                                                picked = SelectInFolderBrowser(browser, chosen);
                                                Press(c.browserButton)(browser);
                                              },
                                              dlg->m_hWnd);
    dlg->PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BROWSE_FOLDER, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dlg->GetDlgItem(IDC_BROWSE_FOLDER)->m_hWnd));
  });
  Then([&] {
    ASSERT_TRUE(watcher->Finish());
    ASSERT_TRUE(picked);
    EXPECT_EQ(watcher->Seen().owner, dlg->m_hWnd);
    EXPECT_NE(watcher->Seen().text.find("Please select a folder to restore icons."), std::string::npos);
    const std::string shown = Text(IDC_LIBRARY_FOLDER);
    EXPECT_EQ(lstrcmpiA(shown.c_str(), (c.shownChosen ? chosen : "C:\\Old Library").c_str()), 0) << shown;
    EXPECT_EQ(Raw("Setting", "RestorePath"), "C:\\Old Library");
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(c.dialogButton, BN_CLICKED));
  });
  EXPECT_EQ(Run(), c.dialogButton);
  const std::string written = Raw("Setting", "RestorePath");
  EXPECT_EQ(lstrcmpiA(written.c_str(), (c.writtenChosen ? chosen : "C:\\Old Library").c_str()), 0) << written;
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsDialogBrowseTest,
                         ::testing::Values(BrowseCase{"PickedThenOk", IDOK, IDOK, true, true},
                                           BrowseCase{"PickedThenCancel", IDOK, IDCANCEL, true, false},
                                           BrowseCase{"BrowserCancelled", IDCANCEL, IDOK, false, false}),
                         [](const ::testing::TestParamInfo<BrowseCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsDialogTest, Colours) {
  Then([this] {
    std::vector<ExpectedColours> expected = {
        {IDC_LIBRARY_FOLDER, OPAQUE, RGB(192, 97, 10), RGB(251, 244, 170)},
        {IDC_SAVE_GROUP, TRANSPARENT, RGB(0, 0, 255), kPaleBlue},
        {IDC_FILTER_GROUP, TRANSPARENT, RGB(0, 0, 255), kPaleBlue},
        {IDC_TITLE_PREFIX, 0, GetSysColor(COLOR_WINDOWTEXT), GetSysColor(COLOR_WINDOW), WM_CTLCOLOREDIT}};
    for (const int id : {IDC_SELECT_ALL, IDC_CONFIRM_CLEARING, IDC_OPEN_DIR, IDC_PREFIX_LABEL, IDC_TYPE_LABEL})
      expected.push_back({id, TRANSPARENT, RGB(0, 0, 0), kPaleBlue});
    for (const int id : kTypeBoxes) expected.push_back({id, TRANSPARENT, RGB(0, 0, 0), kPaleBlue});
    ExpectColours(dlg->m_hWnd, expected);
    EXPECT_EQ(PaintedColour(dlg->m_hWnd, POINT{2, 2}), kPaleBlue);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

}  // namespace
