// Add File: the type list of the open-file dialog, and the file picked in
// the system's dialog loaded with the state of "Select all icons".

#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "ui/AddFileCommand.h"
#include "resources/resource.h"

namespace {

constexpr int kFileNameBox = 0x47c;
constexpr int kTypeList = 0x470;

TEST(AddFileFilterTest, ListsTheSwitchedOnTypesTogetherThenEachAlone) {
  struct Case {
    BOOL exe, dll, ico, icl, cpl, ocx, scr;
    const char* expected;
  };
  const Case cases[] = {
      {TRUE, TRUE, TRUE, TRUE, TRUE, TRUE, TRUE,
       "All Supported Types (By Filter)|*.exe;*.dll;*.ico;*.icl;*.cpl;*.ocx;*.scr;|"
       "Exe Files (*.exe)|*.exe|Dll Files (*.dll)|*.dll|Icon Files (*.ico)|*.ico|Icl Files (*.icl)|*.icl|"
       "Cpl Files (*.cpl)|*.cpl|Ocx Files (*.ocx)|*.ocx|Scr Files (*.scr)|*.scr|"},
      {TRUE, FALSE, TRUE, FALSE, FALSE, FALSE, FALSE,
       "All Supported Types (By Filter)|*.exe;*.ico;|Exe Files (*.exe)|*.exe|Icon Files (*.ico)|*.ico|"},
      {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, TRUE, "All Supported Types (By Filter)|*.scr;|Scr Files (*.scr)|*.scr|"},
      {FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, FALSE, "All Supported Types (By Filter)||"},
  };
  for (const Case& c : cases) {
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

class AddFileTest : public MainWindowTest {
 protected:
  // Chooses Add File in the running window; the watcher reads the type list,
  // then types `path` and presses Open, or Cancel when it is empty.
  void AddFile(const std::string& path) {
    DialogWatcher watcher(
        "",
        [this, path](HWND dialog) {
          HWND typeList = GetDlgItem(dialog, kTypeList);
          types.clear();
          for (int i = 0; i < static_cast<int>(SendMessageA(typeList, CB_GETCOUNT, 0, 0)); ++i) {
            char text[256] = {};
            SendMessageA(typeList, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            types.push_back(text);
          }
          if (!path.empty()) SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
          PostMessageA(dialog, WM_COMMAND, path.empty() ? IDCANCEL : IDOK, 0);
        },
        dlg.m_hWnd);
    Command(ID_ADD_FILE);
    EXPECT_TRUE(watcher.Finish());
    EXPECT_EQ(watcher.Seen().owner, dlg.m_hWnd);
  }
  std::vector<std::string> types;
};

TEST_F(AddFileTest, PickedFileIsAddedWithTheTickOfSelectAll) {
  const std::string icon = WriteIco("one.ico");
  const std::string module = folder.File("three.dll");
  WriteBytes(module, BuildModuleWithGroups({{ResourceName::Id(1), RGB(255, 0, 0)},
                                            {ResourceName::Id(2), RGB(0, 255, 0)},
                                            {ResourceName::Text("LAST"), RGB(0, 0, 255)}}));
  Then([&] {
    AddFile(module);
    ASSERT_EQ(dlg.m_iconList.GetItemCount(), 3);
    EXPECT_EQ(CheckedItems(), 3);
    EXPECT_EQ(types.size(), 8u);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    AddFile(icon);
    ASSERT_EQ(dlg.m_iconList.GetItemCount(), 4);
    EXPECT_EQ(CheckedItems(), 0);
  });
  EXPECT_EQ(Run(), kStepsDone);
  EXPECT_FALSE(Icons().m_saved);
}

TEST_F(AddFileTest, TypeListFollowsTheFilterAndCancelChangesNothing) {
  for (const char* key : {"Dll", "Icl", "Cpl", "Ocx", "Scr"}) WriteSetting("Filter", key, "0");
  Then([this] {
    AddFile("");
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
  });
  EXPECT_EQ(Run(), kStepsDone);
  EXPECT_EQ(types, (std::vector<std::string>{"All Supported Types (By Filter)", "Exe Files (*.exe)",
                                             "Icon Files (*.ico)"}));
  EXPECT_TRUE(Icons().m_saved);
}

TEST_F(AddFileTest, FileOfASwitchedOffTypeAddsNothingButEarlierIconsBecomeUnsaved) {
  const std::string kept = WriteIco("kept.ico");
  const std::string skipped = WriteModule("skipped.dll", 1);
  WriteSetting("Filter", "Dll", "0");
  Then([&] {
    AddFile(kept);
    Icons().m_saved = TRUE;
    AddFile(skipped);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 1);
  });
  EXPECT_EQ(Run(), kStepsDone);
  EXPECT_FALSE(Icons().m_saved);
}

}  // namespace
