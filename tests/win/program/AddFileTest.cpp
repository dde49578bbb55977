// Add File: the type list of the open-file dialog, and the file picked in
// the system's dialog loaded with the state of "Select all icons".

#include <windows.h>

#include <gtest/gtest.h>

#include "CommandsTestSupport.h"
#include "ProgramTestSupport.h"
#include "support/IconBuilder.h"
#include "ui/AddFileCommand.h"
#include "ui/resource.h"

namespace {

constexpr int kFileNameBox = 0x47c;
constexpr int kTypeList = 0x470;
constexpr int kScriptDone = 4242;

struct FilterCase {
  BOOL exe, dll, ico, icl, cpl, ocx, scr;
  const char* expected;
};

TEST(AddFileFilterTest, ListsTheSwitchedOnTypesTogetherThenEachAlone) {
  const FilterCase cases[] = {
      {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE,
       "All Supported Types (By Filter)|*.exe;*.dll;*.ico;*.icl;*.cpl;*.ocx;*.scr;|"
       "Exe Files (*.exe)|*.exe|Dll Files (*.dll)|*.dll|Icon Files (*.ico)|*.ico|Icl Files (*.icl)|*.icl|"
       "Cpl Files (*.cpl)|*.cpl|Ocx Files (*.ocx)|*.ocx|Scr Files (*.scr)|*.scr|"},
      {TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE,
       "All Supported Types (By Filter)|*.exe;*.ico;|Exe Files (*.exe)|*.exe|Icon Files (*.ico)|*.ico|"},
      {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE,
       "All Supported Types (By Filter)|*.scr;|Scr Files (*.scr)|*.scr|"},
      {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, "All Supported Types (By Filter)||"},
  };
  for (const FilterCase& c : cases) {
    CIconCollection icons;
    icons.m_filterExe = c.exe;
    icons.m_filterDll = c.dll;
    icons.m_filterIco = c.ico;
    icons.m_filterIcl = c.icl;
    icons.m_filterCpl = c.cpl;
    icons.m_filterOcx = c.ocx;
    icons.m_filterScr = c.scr;
    EXPECT_EQ(AddFileFilter(icons), c.expected);
  }
}

TEST(AddFileFilterTest, AllSevenTypesMake244Characters) {
  CIconCollection icons;
  icons.m_filterExe = icons.m_filterDll = icons.m_filterIco = icons.m_filterIcl = TRUE;
  icons.m_filterCpl = icons.m_filterOcx = icons.m_filterScr = TRUE;
  EXPECT_EQ(AddFileFilter(icons).GetLength(), 244);
}

// What the open-file dialog offered, and the name typed into it.
struct OpenDialogVisit {
  std::vector<std::string> types;
  DWORD style = 0;
};

std::function<void(HWND)> TypeAndEnter(const std::string& path, OpenDialogVisit* visit) {
  return [path, visit](HWND dialog) {
    HWND typeList = GetDlgItem(dialog, kTypeList);
    const int count = static_cast<int>(SendMessageA(typeList, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[256] = {};
      SendMessageA(typeList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      visit->types.push_back(text);
    }
    if (path.empty()) {
      PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      return;
    }
    SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

class AddFileTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
  }
  CIconCollection& Icons() { return TheApp().m_icons; }
  // Chooses Add File in the running window and answers the open dialog.
  void AddFile(const std::string& path) {
    DialogWatcher watcher("", TypeAndEnter(path, &visit), dlg.m_hWnd);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_ADD_FILE, 0), 0);
    EXPECT_TRUE(watcher.Finish());
    owner = watcher.Seen().owner;
  }
  INT_PTR Run(std::function<void()> step) {
    dlg.steps.push_back(std::move(step));
    dlg.steps.push_back([this] { dlg.EndDialog(kScriptDone); });
    return dlg.DoModal();
  }

  TempFolder sources;
  ScriptedMainDlg dlg;
  OpenDialogVisit visit;
  HWND owner = nullptr;
};

TEST_F(AddFileTest, PickedIcoFileIsAddedUntickedWhenSelectAllIsOff) {
  const std::string path = sources.File("one.ico");
  WriteBytes(path, BuildSolidIcoFile({RGB(255, 0, 0)}));

  EXPECT_EQ(Run([&] {
              dlg.m_selectAllCheck.SendMessage(BM_CLICK);
              AddFile(path);
              ASSERT_EQ(dlg.m_iconList.GetItemCount(), 1);
              EXPECT_FALSE(dlg.m_iconList.GetCheck(0));
              EXPECT_EQ(owner, dlg.m_hWnd);
            }),
            kScriptDone);
  EXPECT_FALSE(Icons().m_saved);
  EXPECT_EQ(visit.types.size(), 8u);
}

TEST_F(AddFileTest, PickedModuleAddsEveryGroupTicked) {
  const std::string path = sources.File("three.dll");
  WriteBytes(path, BuildModuleWithGroups({{ResourceName::Id(1), RGB(255, 0, 0)},
                                          {ResourceName::Id(2), RGB(0, 255, 0)},
                                          {ResourceName::Text("LAST"), RGB(0, 0, 255)}}));

  EXPECT_EQ(Run([&] {
              AddFile(path);
              ASSERT_EQ(dlg.m_iconList.GetItemCount(), 3);
              for (int i = 0; i < 3; ++i) EXPECT_TRUE(dlg.m_iconList.GetCheck(i));
            }),
            kScriptDone);
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(AddFileTest, TypeListFollowsTheFilterSettings) {
  for (const char* key : {"Dll", "Icl", "Cpl", "Ocx", "Scr"}) WriteSetting("Filter", key, "0");

  EXPECT_EQ(Run([&] { AddFile(""); }), kScriptDone);

  EXPECT_EQ(visit.types, (std::vector<std::string>{"All Supported Types (By Filter)", "Exe Files (*.exe)",
                                                   "Icon Files (*.ico)"}));
}

TEST_F(AddFileTest, CancelChangesNothing) {
  EXPECT_EQ(Run([&] {
              AddFile("");
              EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
            }),
            kScriptDone);
  EXPECT_TRUE(Icons().m_saved);
}

TEST_F(AddFileTest, FileOfASwitchedOffTypeAddsNothingButEarlierIconsBecomeUnsaved) {
  const std::string kept = sources.File("kept.ico");
  WriteBytes(kept, BuildSolidIcoFile({RGB(255, 0, 0)}));
  const std::string skipped = sources.File("skipped.dll");
  WriteBytes(skipped, BuildModuleWithGroups({{ResourceName::Id(1), RGB(0, 255, 0)}}));
  WriteSetting("Filter", "Dll", "0");

  EXPECT_EQ(Run([&] {
              AddFile(kept);
              Icons().m_saved = TRUE;
              AddFile(skipped);
              EXPECT_EQ(dlg.m_iconList.GetItemCount(), 1);
            }),
            kScriptDone);
  EXPECT_FALSE(Icons().m_saved);
}

}  // namespace
