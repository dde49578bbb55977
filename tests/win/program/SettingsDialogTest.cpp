// The Setting dialog run modally inside the test process: what it shows of
// Config.ini, what OK writes and in which order, the one-type check, the
// folder browser and its colours.

#include <gtest/gtest.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CommandsTestSupport.h"
#include "ProgramTestSupport.h"
#include "support/IconBuilder.h"
#include "ui/SettingsDlg.h"
#include "ui/resource.h"

namespace {

const char kMissing[] = "<missing>";

struct KeyBox {
  const char* section;
  const char* key;
  int id;
};

// Every flag the dialog shows, with its box.
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
  // The value as the file holds it, or kMissing.
  std::string Raw(const char* section, const char* key) const {
    char value[300] = {};
    GetPrivateProfileStringA(section, key, kMissing, value, sizeof value, configPath.c_str());
    return value;
  }
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  INT_PTR Run() { return dlg.DoModal(); }

  bool Checked(int id) const { return dlg.IsDlgButtonChecked(id) == BST_CHECKED; }
  void SetCheck(int id, bool checked) { dlg.CheckDlgButton(id, checked ? BST_CHECKED : BST_UNCHECKED); }
  std::string Text(int id) const {
    CString text;
    dlg.GetDlgItemText(id, text);
    return std::string(text);
  }
  void PressOk() { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)); }
  void PressCancel() { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)); }
  void UncheckAllTypes() {
    for (const int id : kTypeBoxes) SetCheck(id, false);
  }

  ScriptedDialog<CSettingsDlg> dlg;
};

// --- What the dialog shows --------------------------------------------------

using SettingsDialogShowTest = SettingsDialogTest;

TEST_F(SettingsDialogShowTest, TextsComeFromTheFile) {
  WriteSetting("Setting", "RestorePath", "D:\\Icon Library");
  WriteSetting("Setting", "TitlePrefix", "Star");
  Then([this] {
    EXPECT_EQ(Text(IDC_LIBRARY_FOLDER), "D:\\Icon Library");
    EXPECT_EQ(Text(IDC_TITLE_PREFIX), "Star");
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogShowTest, MissingKeysShowEmptyTextsAndUncheckedBoxes) {
  Then([this] {
    EXPECT_EQ(Text(IDC_LIBRARY_FOLDER), "");
    EXPECT_EQ(Text(IDC_TITLE_PREFIX), "");
    for (const KeyBox& flag : kFlagBoxes) EXPECT_FALSE(Checked(flag.id)) << flag.key;
    EXPECT_EQ(dlg.m_typeCombo.GetCurSel(), 0);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogShowTest, TypeListHoldsIconFileThenBmpFileDespiteItsSortStyle) {
  Then([this] {
    ASSERT_EQ(dlg.m_typeCombo.GetCount(), 2);
    char text[32] = {};
    dlg.m_typeCombo.SendMessage(CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Icon File");
    dlg.m_typeCombo.SendMessage(CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Bmp File");
  });
  EXPECT_EQ(Run(), kStepsDone);
}

// Each flag alone on: exactly its own box is ticked.
class SettingsDialogFlagShowTest : public SettingsDialogTest, public ::testing::WithParamInterface<KeyBox> {};

TEST_P(SettingsDialogFlagShowTest, OnlyTheBoxOfTheOneFlagOnIsTicked) {
  for (const KeyBox& flag : kFlagBoxes) WriteSetting(flag.section, flag.key, flag.id == GetParam().id ? "1" : "0");
  Then([this] {
    for (const KeyBox& flag : kFlagBoxes) EXPECT_EQ(Checked(flag.id), flag.id == GetParam().id) << flag.key;
  });
  EXPECT_EQ(Run(), kStepsDone);
}

INSTANTIATE_TEST_SUITE_P(EveryFlag, SettingsDialogFlagShowTest, ::testing::ValuesIn(kFlagBoxes),
                         [](const ::testing::TestParamInfo<KeyBox>& info) { return std::string(info.param.key); });

struct StoredType {
  const char* value;
  int position;
};

class SettingsDialogTypeShowTest : public SettingsDialogTest, public ::testing::WithParamInterface<StoredType> {};

TEST_P(SettingsDialogTypeShowTest, StoredTypeSelectsItsPosition) {
  WriteSetting("Setting", "DefaultType", GetParam().value);
  Then([this] { EXPECT_EQ(dlg.m_typeCombo.GetCurSel(), GetParam().position); });
  EXPECT_EQ(Run(), kStepsDone);
}

INSTANTIATE_TEST_SUITE_P(AnyCase, SettingsDialogTypeShowTest,
                         ::testing::Values(StoredType{"bmp", 1}, StoredType{"BMP", 1}, StoredType{"bMp", 1},
                                           StoredType{"ico", 0}, StoredType{"ICO", 0}, StoredType{"", 0},
                                           StoredType{"png", 0}, StoredType{"bmpx", 0}));

// --- What OK and Cancel write -----------------------------------------------

using SettingsDialogWriteTest = SettingsDialogTest;

TEST_F(SettingsDialogWriteTest, OkWritesEveryKeyInItsOrder) {
  Then([this] {
    dlg.SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\Lib");
    SetCheck(IDC_SELECT_ALL, true);
    SetCheck(IDC_CONFIRM_CLEARING, false);
    dlg.m_typeCombo.SetCurSel(1);
    dlg.SetDlgItemText(IDC_TITLE_PREFIX, "Star");
    SetCheck(IDC_OPEN_DIR, true);
    SetCheck(IDC_FILTER_EXE, true);
    SetCheck(IDC_FILTER_DLL, false);
    SetCheck(IDC_FILTER_ICO, true);
    SetCheck(IDC_FILTER_ICL, false);
    SetCheck(IDC_FILTER_CPL, false);
    SetCheck(IDC_FILTER_OCX, true);
    SetCheck(IDC_FILTER_SCR, false);
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  const std::vector<std::string> expected = {
      "[Setting]",   "RestorePath=E:\\Lib", "SelectAll=1", "Confirm=0", "DefaultType=bmp", "TitlePrefix=Star",
      "OpenDir=1",   "[Filter]",            "Exe=1",       "Dll=0",     "Ico=1",           "Icl=0",
      "Cpl=0",       "Ocx=1",               "Scr=0"};
  EXPECT_EQ(ReadLines(configPath), expected);
}

TEST_F(SettingsDialogWriteTest, IconFileIsWrittenAsLowerCaseIco) {
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "DefaultType", "BMP");
  Then([this] {
    dlg.m_typeCombo.SetCurSel(0);
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(Raw("Setting", "DefaultType"), "ico");
}

TEST_F(SettingsDialogWriteTest, UnchangedMixedCaseBmpIsWrittenAsLowerCaseBmp) {
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "DefaultType", "Bmp");
  Then([this] { PressOk(); });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(Raw("Setting", "DefaultType"), "bmp");
}

TEST_F(SettingsDialogWriteTest, EmptyPrefixIsWrittenEmpty) {
  TheApp().WriteDefaultSettings();
  Then([this] {
    dlg.SetDlgItemText(IDC_TITLE_PREFIX, "");
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(Raw("Setting", "TitlePrefix"), "");
}

TEST_F(SettingsDialogWriteTest, SelectAllIsWrittenAsZeroOrOne) {
  TheApp().WriteDefaultSettings();
  WriteSetting("Setting", "SelectAll", "1000");
  Then([this] {
    EXPECT_TRUE(Checked(IDC_SELECT_ALL));
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(Raw("Setting", "SelectAll"), "1");
}

// Each flag alone ticked: OK writes exactly its own key on.
class SettingsDialogFlagWriteTest : public SettingsDialogTest, public ::testing::WithParamInterface<KeyBox> {};

TEST_P(SettingsDialogFlagWriteTest, OnlyTheKeyOfTheOneTickedBoxIsOn) {
  const KeyBox& only = GetParam();
  const bool isType = std::string(only.section) == "Filter";
  Then([this, isType] {
    for (const KeyBox& flag : kFlagBoxes) SetCheck(flag.id, flag.id == GetParam().id);
    // Without a type the dialog would refuse; .exe goes along, and is left
    // out of the comparison.
    if (!isType) SetCheck(IDC_FILTER_EXE, true);
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  for (const KeyBox& flag : kFlagBoxes) {
    if (!isType && flag.id == IDC_FILTER_EXE) continue;
    EXPECT_EQ(Raw(flag.section, flag.key), flag.id == only.id ? "1" : "0") << flag.key;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFlag, SettingsDialogFlagWriteTest, ::testing::ValuesIn(kFlagBoxes),
                         [](const ::testing::TestParamInfo<KeyBox>& info) { return std::string(info.param.key); });

TEST_F(SettingsDialogWriteTest, CancelWritesNothing) {
  TheApp().WriteDefaultSettings();
  const std::vector<uint8_t> before = ReadBytes(configPath);
  Then([this] {
    dlg.SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\Elsewhere");
    dlg.SetDlgItemText(IDC_TITLE_PREFIX, "Other");
    dlg.m_typeCombo.SetCurSel(1);
    for (const KeyBox& flag : kFlagBoxes) SetCheck(flag.id, false);
    SetCheck(IDC_FILTER_ICL, true);
    PressCancel();
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(ReadBytes(configPath), before);
}

// --- At least one type ------------------------------------------------------

using SettingsDialogTypeCheckTest = SettingsDialogTest;

TEST_F(SettingsDialogTypeCheckTest, NoTypeWarnsKeepsTheDialogAndWritesOnlyTheSaveSettings) {
  TheApp().WriteDefaultSettings();
  SeenDialog warning;
  bool warned = false;
  HWND dialog = nullptr;
  Then([&] {
    dialog = dlg.m_hWnd;
    dlg.SetDlgItemText(IDC_LIBRARY_FOLDER, "E:\\New Library");
    SetCheck(IDC_SELECT_ALL, false);
    SetCheck(IDC_CONFIRM_CLEARING, false);
    dlg.m_typeCombo.SetCurSel(1);
    dlg.SetDlgItemText(IDC_TITLE_PREFIX, "Kept");
    SetCheck(IDC_OPEN_DIR, false);
    UncheckAllTypes();
    DialogWatcher box("Vantrel", Press(IDOK), dlg.m_hWnd);
    PressOk();
    warned = box.Finish();
    warning = box.Seen();
  });
  Then([&] {
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(Raw("Setting", "RestorePath"), "E:\\New Library");
    EXPECT_EQ(Raw("Setting", "SelectAll"), "0");
    EXPECT_EQ(Raw("Setting", "Confirm"), "0");
    EXPECT_EQ(Raw("Setting", "DefaultType"), "bmp");
    EXPECT_EQ(Raw("Setting", "TitlePrefix"), "Kept");
    EXPECT_EQ(Raw("Setting", "OpenDir"), "1");
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
  EXPECT_EQ(Raw("Setting", "OpenDir"), "1");
}

class SettingsDialogOneTypeTest : public SettingsDialogTest, public ::testing::WithParamInterface<int> {};

TEST_P(SettingsDialogOneTypeTest, AnySingleTypeIsEnough) {
  Then([this] {
    UncheckAllTypes();
    SetCheck(GetParam(), true);
    DialogWatcher noBox("Vantrel", Press(IDOK), dlg.m_hWnd);
    PressOk();
    EXPECT_FALSE(noBox.Finish());
  });
  EXPECT_EQ(Run(), IDOK);
}

INSTANTIATE_TEST_SUITE_P(EveryType, SettingsDialogOneTypeTest, ::testing::ValuesIn(kTypeBoxes));

// --- The folder browser -----------------------------------------------------

class SettingsDialogBrowseTest : public SettingsDialogTest {
 protected:
  void SetUp() override {
    SettingsDialogTest::SetUp();
    TheApp().WriteDefaultSettings();
    WriteSetting("Setting", "RestorePath", "C:\\Old Library");
    CreateDirectoryA(chosen.c_str(), nullptr);
  }
  // Opens the browser from the dialog's button; the watcher picks `chosen`
  // in it and presses `button`.
  void Browse(int button) {
    watcher = std::make_unique<DialogWatcher>(
        "",
        [this, button](HWND browser) {
          picked = SelectInFolderBrowser(browser, chosen);
          Press(button)(browser);
        },
        dlg.m_hWnd);
    dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_BROWSE_FOLDER, BN_CLICKED),
                    reinterpret_cast<LPARAM>(dlg.GetDlgItem(IDC_BROWSE_FOLDER)->m_hWnd));
  }
  bool ShowsChosen() const { return lstrcmpiA(Text(IDC_LIBRARY_FOLDER).c_str(), chosen.c_str()) == 0; }

  std::string chosen = folder.File("Chosen");
  std::unique_ptr<DialogWatcher> watcher;
  // Written by the watcher's thread, read after Finish.
  bool picked = false;
};

TEST_F(SettingsDialogBrowseTest, ChosenFolderIsShownAtOnceAndOkWritesIt) {
  Then([this] { Browse(IDOK); });
  Then([this] {
    ASSERT_TRUE(watcher->Finish());
    ASSERT_TRUE(picked);
    EXPECT_EQ(watcher->Seen().owner, dlg.m_hWnd);
    EXPECT_NE(watcher->Seen().text.find("Please select a folder to restore icons."), std::string::npos)
        << watcher->Seen().text;
    EXPECT_TRUE(ShowsChosen()) << Text(IDC_LIBRARY_FOLDER);
    EXPECT_EQ(Raw("Setting", "RestorePath"), "C:\\Old Library");
    PressOk();
  });
  EXPECT_EQ(Run(), IDOK);
  EXPECT_EQ(lstrcmpiA(Raw("Setting", "RestorePath").c_str(), chosen.c_str()), 0) << Raw("Setting", "RestorePath");
}

TEST_F(SettingsDialogBrowseTest, ChosenFolderIsDroppedByCancel) {
  Then([this] { Browse(IDOK); });
  Then([this] {
    ASSERT_TRUE(watcher->Finish());
    ASSERT_TRUE(picked);
    EXPECT_TRUE(ShowsChosen()) << Text(IDC_LIBRARY_FOLDER);
    PressCancel();
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(Raw("Setting", "RestorePath"), "C:\\Old Library");
}

TEST_F(SettingsDialogBrowseTest, CancelledBrowserKeepsTheFolderBox) {
  Then([this] { Browse(IDCANCEL); });
  Then([this] {
    ASSERT_TRUE(watcher->Finish());
    EXPECT_EQ(Text(IDC_LIBRARY_FOLDER), "C:\\Old Library");
  });
  EXPECT_EQ(Run(), kStepsDone);
}

// --- Colours ----------------------------------------------------------------

using SettingsDialogColourTest = SettingsDialogTest;

TEST_F(SettingsDialogColourTest, FolderBoxIsBrownOnYellow) {
  Then([this] {
    const ControlColours colours = ColoursFor(dlg.m_hWnd, IDC_LIBRARY_FOLDER);
    EXPECT_EQ(colours.backgroundMode, OPAQUE);
    EXPECT_EQ(colours.textColour, RGB(192, 97, 10));
    EXPECT_EQ(colours.backgroundColour, RGB(251, 244, 170));
    EXPECT_EQ(colours.brushColour, RGB(251, 244, 170));
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogColourTest, BoxesAndLabelsAreBlackOnTheBackground) {
  Then([this] {
    for (const int id : {IDC_SELECT_ALL, IDC_CONFIRM_CLEARING, IDC_FILTER_EXE, IDC_FILTER_DLL, IDC_FILTER_ICO,
                         IDC_FILTER_ICL, IDC_PREFIX_LABEL, IDC_TYPE_LABEL, IDC_FILTER_CPL, IDC_FILTER_SCR,
                         IDC_FILTER_OCX, IDC_OPEN_DIR}) {
      const ControlColours colours = ColoursFor(dlg.m_hWnd, id);
      EXPECT_EQ(colours.backgroundMode, TRANSPARENT) << id;
      EXPECT_EQ(colours.textColour, RGB(0, 0, 0)) << id;
      EXPECT_EQ(colours.brushColour, RGB(240, 248, 255)) << id;
    }
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogColourTest, GroupCaptionsAreBlue) {
  Then([this] {
    for (const int id : {IDC_SAVE_GROUP, IDC_FILTER_GROUP}) {
      const ControlColours colours = ColoursFor(dlg.m_hWnd, id);
      EXPECT_EQ(colours.backgroundMode, TRANSPARENT) << id;
      EXPECT_EQ(colours.textColour, RGB(0, 0, 255)) << id;
      EXPECT_EQ(colours.brushColour, RGB(240, 248, 255)) << id;
    }
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogColourTest, PrefixBoxKeepsTheSystemColours) {
  Then([this] {
    const ControlColours colours = ColoursFor(dlg.m_hWnd, IDC_TITLE_PREFIX, WM_CTLCOLOREDIT);
    EXPECT_EQ(colours.brushColour, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(colours.textColour, GetSysColor(COLOR_WINDOWTEXT));
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(SettingsDialogColourTest, ClientAreaIsPaintedPaleBlue) {
  Then([this] { EXPECT_EQ(PaintedColour(dlg.m_hWnd, POINT{2, 2}), RGB(240, 248, 255)); });
  EXPECT_EQ(Run(), kStepsDone);
}

}  // namespace
