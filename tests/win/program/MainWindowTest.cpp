// The main window run modally inside the test process and driven from its own
// modal loop: views, "Select all icons", the source path of a clicked icon,
// dropped files, the unsaved-icons question and the keys.

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "ProgramTestSupport.h"
#include "support/IconBuilder.h"
#include "resources/resource.h"

namespace {

const char kUnsupportedType[] = "Unsupported Type!Please check the file filter!";

// A drop handle for the paths, as the shell hands one to a window; the
// receiver of WM_DROPFILES releases it.
HDROP MakeDrop(const std::vector<std::string>& paths) {
  size_t size = sizeof(DROPFILES) + 1;
  for (const std::string& path : paths) size += path.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  char* text = reinterpret_cast<char*>(header) + sizeof(DROPFILES);
  for (const std::string& path : paths) {
    std::memcpy(text, path.c_str(), path.size() + 1);
    text += path.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

class MainWindowUseTest : public MainWindowTest {
 protected:
  void Drop(const std::vector<std::string>& paths) {
    dlg.m_iconList.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
  }
  void PostKey(UINT key) { dlg.m_iconList.PostMessage(WM_KEYDOWN, key, 1); }
  // Drops the files while watching for the error box; its text, "" if none.
  std::string DropWatchingForError(const std::vector<std::string>& paths) {
    DialogWatcher box("Error", Press(IDOK), dlg.m_hWnd);
    Drop(paths);
    box.Finish();
    return box.Seen().text;
  }
};

TEST_F(MainWindowUseTest, ViewAndSelectAllStartAsTheSettingsSay) {
  struct Case {
    const char* view;
    const char* selectAll;
    int type;
    int radio;
  };
  const Case cases[] = {{"0", "1", LVS_ICON, IDC_VIEW_NORMAL},
                        {"1", "0", LVS_SMALLICON, IDC_VIEW_SMALL},
                        {"2", "1", LVS_LIST, IDC_VIEW_LIST},
                        {"7", "1", LVS_ICON, IDC_VIEW_NORMAL}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("View=") + c.view);
    WriteSetting("Setting", "View", c.view);
    WriteSetting("Setting", "SelectAll", c.selectAll);
    ScriptedMainDlg window;
    window.steps.push_back([&] {
      for (const int radio : {IDC_VIEW_NORMAL, IDC_VIEW_SMALL, IDC_VIEW_LIST})
        EXPECT_EQ(window.IsDlgButtonChecked(radio), radio == c.radio ? 1u : 0u) << radio;
      EXPECT_EQ(window.ViewType(), c.type);
      EXPECT_EQ(window.SelectAllChecked(), std::strcmp(c.selectAll, "1") == 0);
      EXPECT_TRUE(window.m_iconList.GetExtendedStyle() & LVS_EX_CHECKBOXES);
    });
    EXPECT_EQ(window.DoModal(), kStepsDone);
  }
}

TEST_F(MainWindowUseTest, ViewRadiosSwitchTheListStyleWithoutWritingTheSettings) {
  Then([this] {
    const std::pair<CButton*, int> clicks[] = {
        {&dlg.m_viewSmall, LVS_SMALLICON}, {&dlg.m_viewList, LVS_LIST}, {&dlg.m_viewNormal, LVS_ICON}};
    for (const auto& [radio, type] : clicks) {
      radio->SendMessage(BM_CLICK);
      EXPECT_EQ(dlg.ViewType(), type);
      for (CButton* other : {&dlg.m_viewNormal, &dlg.m_viewSmall, &dlg.m_viewList})
        EXPECT_EQ(other->GetCheck(), other == radio ? BST_CHECKED : BST_UNCHECKED);
    }
    dlg.m_viewList.SendMessage(BM_CLICK);
  });
  EXPECT_EQ(Run(), kStepsDone);
  EXPECT_EQ(Raw("Setting", "View"), "0");
}

TEST_F(MainWindowUseTest, SelectAllTicksEveryItemAndDecidesTheTickOfDroppedIcons) {
  const std::string module = WriteModule("two.dll", 2);
  Then([&] {
    LoadUnsavedIcons(3);
    ASSERT_EQ(CheckedItems(), 3);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(CheckedItems(), 0);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(CheckedItems(), 3);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    Drop({module});
    ASSERT_EQ(dlg.m_iconList.GetItemCount(), 5);
    EXPECT_EQ(CheckedItems(), 0);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowUseTest, ClickShowsTheIconsFileAndAClickBesideKeepsIt) {
  Then([this] {
    LoadUnsavedIcons(3);
    ClickItem(2);
    EXPECT_EQ(dlg.PathText(), folder.File("icon2.ico"));
    ClickItem(1);
    ClickItem(-1);
    EXPECT_EQ(dlg.PathText(), folder.File("icon1.ico"));
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowUseTest, DroppedFileIsLoadedOnlyWhenItIsOneOfASwitchedOnType) {
  const std::string module = WriteModule("three.exe", 3);
  const std::string off = WriteModule("off.dll", 2);
  const std::string text = folder.File("readme.txt");
  WriteBytes(text, {'h', 'i'});
  WriteSetting("Filter", "Dll", "0");
  Then([&] {
    EXPECT_EQ(DropWatchingForError({WriteIco("one.ico"), module}), "") << "two files are ignored";
    EXPECT_TRUE(Icons().m_saved);
    EXPECT_EQ(DropWatchingForError({text}), kUnsupportedType);
    EXPECT_EQ(DropWatchingForError({off}), kUnsupportedType);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_TRUE(Icons().m_saved);
    EXPECT_EQ(DropWatchingForError({module}), "");
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 3);
    EXPECT_EQ(Icons().GetCount(), 3);
    EXPECT_FALSE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowUseTest, ALongDroppedPathIsNeverCutIntoThePathOfAnotherFile) {
  // A module whose path has 259 characters, and a dropped path that begins
  // with those 259 characters and goes on.
  const std::string subfolder = folder.File(std::string(100, 'd'));
  CreateDirectoryA(subfolder.c_str(), nullptr);
  const std::string shortPath = subfolder + "\\" + std::string(259 - subfolder.size() - 5, 'f') + ".exe";
  ASSERT_EQ(shortPath.size(), 259u);
  WriteBytes(shortPath, BuildModuleWithGroups({{ResourceName::Id(1), RGB(255, 0, 0)}}));
  Then([&] {
    EXPECT_EQ(DropWatchingForError({shortPath + "_copy.exe"}), "");
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

struct CloseCase {
  const char* name;
  bool escape;  // else WM_CLOSE
  int icons;
  BOOL saved;
  int answer;  // 0: no question may appear
  const char* question;
};

class MainWindowCloseTest : public MainWindowUseTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(MainWindowCloseTest, AsksAboutUnsavedIconsAndClosesEmptiedOrKeepsEverything) {
  const CloseCase& c = GetParam();
  std::unique_ptr<DialogWatcher> question;
  const bool closes = c.answer != IDNO;
  Then([&] {
    LoadUnsavedIcons(c.icons);
    Icons().m_saved = c.saved;
    if (c.icons) ClickItem(0);
    question = std::make_unique<DialogWatcher>("Vantrel", Press(c.answer ? c.answer : IDNO), dlg.m_hWnd);
    if (c.escape) {
      PostKey(VK_ESCAPE);
    } else {
      dlg.PostMessage(WM_CLOSE);
    }
  });
  Then([&] {
    EXPECT_FALSE(closes) << "the window stayed open";
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), c.icons);
    EXPECT_EQ(dlg.m_largeImages.GetImageCount(), c.icons);
    EXPECT_EQ(Icons().GetCount(), c.icons);
    EXPECT_EQ(dlg.PathText(), folder.File("icon0.ico"));
  });
  EXPECT_EQ(Run(), closes ? IDCANCEL : kStepsDone);
  EXPECT_EQ(question->Finish(), c.answer != 0);
  if (c.answer) {
    EXPECT_EQ(question->Seen().text, c.question);
  }
  if (closes) {
    EXPECT_EQ(dlg.itemsAtDestroy, 0);
    EXPECT_EQ(dlg.pathTextAtDestroy, "");
    EXPECT_EQ(dlg.m_largeImages.GetImageCount() + dlg.m_smallImages.GetImageCount(), 0);
    EXPECT_EQ(Icons().GetCount(), 0);
  }
}

const char kUnsavedIcons[] = "You haven't saved the icons.\nAre you sure to exit?";

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowCloseTest,
    ::testing::Values(
        CloseCase{"OneIconAskedInTheSingular", false, 1, FALSE, IDNO,
                  "You haven't saved the icon.\nAre you sure to exit?"},
        CloseCase{"NoKeepsEverything", false, 3, FALSE, IDNO, kUnsavedIcons},
        CloseCase{"YesEmptiesAndCloses", false, 3, FALSE, IDYES, kUnsavedIcons},
        CloseCase{"SavedClosesWithoutAQuestion", false, 3, TRUE, 0, ""},
        CloseCase{"EmptyListClosesWithoutAQuestion", false, 0, FALSE, 0, ""},
        CloseCase{"EscapeNoKeepsEverything", true, 3, FALSE, IDNO, kUnsavedIcons},
        CloseCase{"EscapeYesEmptiesAndCloses", true, 3, FALSE, IDYES, kUnsavedIcons}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowUseTest, EnterDoesNothing) {
  Then([this] {
    LoadUnsavedIcons(3);
    PostKey(VK_RETURN);
    dlg.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
  });
  Then([this] {
    EXPECT_TRUE(dlg.IsOpen());
    EXPECT_EQ(dlg.okCalls, 0);
    EXPECT_EQ(Icons().GetCount(), 3);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowUseTest, CtrlSReachesTheWindowAsTheSaveCommandAndSAloneDoesNot) {
  BYTE saved[256] = {};
  const std::pair<UINT, UINT> fromAccelerator{ID_SAVE, 1};
  const auto saveCommands = [&] { return std::count(dlg.commands.begin(), dlg.commands.end(), fromAccelerator); };
  Then([&] { PostKey('S'); });
  Then([&] {
    EXPECT_EQ(saveCommands(), 0);
    // Ctrl held in this thread's keyboard state.
    GetKeyboardState(saved);
    BYTE held[256];
    std::copy(saved, saved + 256, held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held);
    PostKey('S');
  });
  Then([&] {
    SetKeyboardState(saved);
    EXPECT_EQ(saveCommands(), 1);
    EXPECT_TRUE(dlg.IsOpen());
  });
  EXPECT_EQ(Run(), kStepsDone);
}

}  // namespace
