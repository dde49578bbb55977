// The main window run modally inside the test process and driven from its own
// modal loop: views, "Select all icons", the source path of a clicked icon,
// dropped files, the unsaved-icons question and the keys.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ProgramTestSupport.h"
#include "app/FilterSettings.h"
#include "support/IconBuilder.h"
#include "ui/resource.h"

namespace {

constexpr int kScriptDone = 4242;
const char kUnsupportedType[] = "Unsupported Type!Please check the file filter!";
const char kUnsavedIcon[] = "You haven't saved the icon.\nAre you sure to exit?";
const char kUnsavedIcons[] = "You haven't saved the icons.\nAre you sure to exit?";

class MainWindowTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
  }

  CIconCollection& Icons() { return TheApp().m_icons; }

  std::string WriteIco(const std::string& name, COLORREF colour) const {
    const std::string path = folder.File(name);
    WriteBytes(path, BuildSolidIcoFile({colour}));
    return path;
  }
  std::string WriteModule(const std::string& name, int groups) const {
    std::vector<GroupSpec> specs;
    for (int i = 1; i <= groups; ++i) specs.push_back({ResourceName::Id(static_cast<uint16_t>(i)), RGB(0, 0, 255)});
    const std::string path = folder.File(name);
    WriteBytes(path, BuildModuleWithGroups(specs));
    return path;
  }
  // Loads a file as the window's commands do: filter from Config.ini, checked
  // flag from "Select all icons".
  void Load(const std::string& path) {
    ReadFilterSettings(TheApp().m_config, Icons());
    Icons().LoadFromFile(path.c_str(), dlg.SelectAllChecked());
  }
  // Three icons from three .ico files, not yet saved.
  void LoadThreeUnsavedIcons() {
    Load(WriteIco("a.ico", RGB(255, 0, 0)));
    Load(WriteIco("b.ico", RGB(0, 255, 0)));
    Load(WriteIco("c.ico", RGB(0, 0, 255)));
    Icons().m_saved = FALSE;
  }
  void Drop(const std::vector<std::string>& paths) {
    dlg.m_iconList.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(paths)));
  }
  void ClickItem(int index) {
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = dlg.m_iconList.m_hWnd;
    click.hdr.idFrom = IDC_ICON_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = index;
    dlg.SendMessage(WM_NOTIFY, IDC_ICON_LIST, reinterpret_cast<LPARAM>(&click));
  }
  void PostKey(UINT key) { dlg.m_iconList.PostMessage(WM_KEYDOWN, key, 1); }
  int CheckedItems() const {
    int checked = 0;
    for (int i = 0; i < dlg.m_iconList.GetItemCount(); ++i) checked += dlg.m_iconList.GetCheck(i) ? 1 : 0;
    return checked;
  }
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  // Runs the steps, ending with kScriptDone unless a step ended the window.
  INT_PTR Run() {
    Then([this] { dlg.EndDialog(kScriptDone); });
    return dlg.DoModal();
  }

  ScriptedMainDlg dlg;
};

// --- Views ----------------------------------------------------------------

using MainWindowViewTest = MainWindowTest;

TEST_F(MainWindowViewTest, DefaultSettingsShowLargeIconsAndTickSelectAll) {
  Then([this] {
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewSmall.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_ICON);
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(dlg.m_iconList.GetExtendedStyle() & LVS_EX_CHECKBOXES);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowViewTest, ViewOneStartsInTheSmallView) {
  WriteSetting("Setting", "View", "1");
  Then([this] {
    EXPECT_EQ(dlg.m_viewSmall.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_SMALLICON);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowViewTest, ViewTwoStartsInTheListView) {
  WriteSetting("Setting", "View", "2");
  Then([this] {
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_viewSmall.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_LIST);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowViewTest, AnyOtherViewValueStartsInTheNormalView) {
  WriteSetting("Setting", "View", "7");
  Then([this] {
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_CHECKED);
    EXPECT_EQ(dlg.m_viewSmall.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.ViewType(), LVS_ICON);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowViewTest, ViewRadiosSwitchTheListStyle) {
  Then([this] {
    dlg.m_viewSmall.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.ViewType(), LVS_SMALLICON);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(dlg.m_viewSmall.GetCheck(), BST_CHECKED);
    dlg.m_viewList.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.ViewType(), LVS_LIST);
    EXPECT_EQ(dlg.m_viewList.GetCheck(), BST_CHECKED);
    dlg.m_viewNormal.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.ViewType(), LVS_ICON);
    EXPECT_EQ(dlg.m_viewNormal.GetCheck(), BST_CHECKED);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowViewTest, ChosenViewIsNotWrittenToTheSettings) {
  Then([this] { dlg.m_viewList.SendMessage(BM_CLICK); });
  EXPECT_EQ(Run(), kScriptDone);
  EXPECT_EQ(TheApp().m_config.GetInt("Setting", "View"), 0);
}

// --- Select all -----------------------------------------------------------

using MainWindowSelectAllTest = MainWindowTest;

TEST_F(MainWindowSelectAllTest, SelectAllOffInSettingsStartsUnticked) {
  WriteSetting("Setting", "SelectAll", "0");
  Then([this] { EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_UNCHECKED); });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowSelectAllTest, TogglingSetsTheCheckOfEveryItem) {
  Then([this] {
    LoadThreeUnsavedIcons();
    ASSERT_EQ(CheckedItems(), 3);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_selectAllCheck.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(CheckedItems(), 0);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(CheckedItems(), 3);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowSelectAllTest, IconsDroppedWhileItIsOffComeUnticked) {
  const std::string module = WriteModule("two.dll", 2);
  Then([this, module] {
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    Drop({module});
    ASSERT_EQ(dlg.m_iconList.GetItemCount(), 2);
    EXPECT_EQ(CheckedItems(), 0);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

// --- The source path of a clicked icon -------------------------------------

using MainWindowClickTest = MainWindowTest;

TEST_F(MainWindowClickTest, ClickOnTheThirdIconShowsItsFile) {
  Then([this] {
    LoadThreeUnsavedIcons();
    ClickItem(2);
    EXPECT_EQ(dlg.PathText(), folder.File("c.ico"));
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowClickTest, ClickBesideTheIconsKeepsThePath) {
  Then([this] {
    LoadThreeUnsavedIcons();
    ClickItem(1);
    ClickItem(-1);
    EXPECT_EQ(dlg.PathText(), folder.File("b.ico"));
  });
  EXPECT_EQ(Run(), kScriptDone);
}

// --- Dropped files --------------------------------------------------------

using MainWindowDropTest = MainWindowTest;

TEST_F(MainWindowDropTest, OneSupportedFileIsLoadedAndMarkedUnsaved) {
  const std::string module = WriteModule("three.exe", 3);
  Then([this, module] {
    DialogAnswerer noBox("Error", IDOK, dlg.m_hWnd);
    Drop({module});
    EXPECT_FALSE(noBox.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 3);
    EXPECT_EQ(Icons().GetCount(), 3);
    EXPECT_FALSE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowDropTest, TwoFilesAreIgnoredWithoutAMessage) {
  const std::vector<std::string> files = {WriteIco("one.ico", RGB(255, 0, 0)), WriteModule("two.dll", 2)};
  Then([this, files] {
    DialogAnswerer noBox("Error", IDOK, dlg.m_hWnd);
    Drop(files);
    EXPECT_FALSE(noBox.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_TRUE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowDropTest, AnUnsupportedTypeShowsTheFilterMessage) {
  const std::string text = folder.File("readme.txt");
  WriteBytes(text, {'h', 'i'});
  Then([this, text] {
    DialogAnswerer box("Error", IDOK, dlg.m_hWnd);
    Drop({text});
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), kUnsupportedType);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
    EXPECT_TRUE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowDropTest, ATypeSwitchedOffInTheSettingsShowsTheFilterMessage) {
  const std::string module = WriteModule("off.dll", 2);
  Then([this, module] {
    WriteSetting("Filter", "Dll", "0");
    DialogAnswerer box("Error", IDOK, dlg.m_hWnd);
    Drop({module});
    EXPECT_TRUE(box.Finish());
    EXPECT_EQ(box.Text(), kUnsupportedType);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowDropTest, ALongPathIsNeverCutIntoThePathOfAnotherFile) {
  // A module whose path has 259 characters, and a dropped path that begins
  // with those 259 characters and goes on.
  const std::string subfolder = folder.File(std::string(100, 'd'));
  CreateDirectoryA(subfolder.c_str(), nullptr);
  const std::string shortPath = subfolder + "\\" + std::string(259 - subfolder.size() - 5, 'f') + ".exe";
  ASSERT_EQ(shortPath.size(), 259u);
  WriteBytes(shortPath, BuildModuleWithGroups({{ResourceName::Id(1), RGB(255, 0, 0)}}));
  const std::string dropped = shortPath + "_copy.exe";
  Then([this, dropped] {
    DialogAnswerer noBox("Error", IDOK, dlg.m_hWnd);
    Drop({dropped});
    EXPECT_FALSE(noBox.Finish());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 0);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

// --- Closing --------------------------------------------------------------

using MainWindowCloseTest = MainWindowTest;

TEST_F(MainWindowCloseTest, OneUnsavedIconIsAskedAboutInTheSingular) {
  Then([this] {
    Load(WriteIco("one.ico", RGB(255, 0, 0)));
    Icons().m_saved = FALSE;
    DialogAnswerer question("Vantrel", IDNO, dlg.m_hWnd);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(question.Finish());
    EXPECT_EQ(question.Text(), kUnsavedIcon);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowCloseTest, AnsweringNoKeepsTheWindowAndItsIcons) {
  Then([this] {
    LoadThreeUnsavedIcons();
    ClickItem(0);
    DialogAnswerer question("Vantrel", IDNO, dlg.m_hWnd);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(question.Finish());
    EXPECT_EQ(question.Text(), kUnsavedIcons);
  });
  Then([this] {
    EXPECT_TRUE(dlg.IsOpen());
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 3);
    EXPECT_EQ(dlg.m_largeImages.GetImageCount(), 3);
    EXPECT_EQ(Icons().GetCount(), 3);
    EXPECT_EQ(dlg.PathText(), folder.File("a.ico"));
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowCloseTest, AnsweringYesEmptiesEverythingAndCloses) {
  Then([this] {
    LoadThreeUnsavedIcons();
    ClickItem(0);
    DialogAnswerer question("Vantrel", IDYES, dlg.m_hWnd);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(question.Finish());
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(dlg.itemsAtDestroy, 0);
  EXPECT_EQ(dlg.pathTextAtDestroy, "");
  EXPECT_EQ(dlg.m_largeImages.GetImageCount(), 0);
  EXPECT_EQ(dlg.m_smallImages.GetImageCount(), 0);
  EXPECT_EQ(Icons().GetCount(), 0);
}

TEST_F(MainWindowCloseTest, SavedIconsCloseWithoutAQuestion) {
  Then([this] {
    LoadThreeUnsavedIcons();
    Icons().m_saved = TRUE;
    DialogAnswerer noQuestion("Vantrel", IDNO, dlg.m_hWnd);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_FALSE(noQuestion.Finish());
  });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_EQ(Icons().GetCount(), 0);
}

TEST_F(MainWindowCloseTest, AnEmptyListClosesWithoutAQuestion) {
  Then([this] {
    Icons().m_saved = FALSE;
    DialogAnswerer noQuestion("Vantrel", IDNO, dlg.m_hWnd);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_FALSE(noQuestion.Finish());
  });
  EXPECT_EQ(Run(), IDCANCEL);
}

// --- Keys -----------------------------------------------------------------

using MainWindowKeyTest = MainWindowTest;

TEST_F(MainWindowKeyTest, EscapeAsksTheSameQuestionAndNoKeepsTheIcons) {
  std::unique_ptr<DialogAnswerer> question;
  Then([&] {
    LoadThreeUnsavedIcons();
    question = std::make_unique<DialogAnswerer>("Vantrel", IDNO, dlg.m_hWnd);
    PostKey(VK_ESCAPE);
  });
  Then([&] {
    EXPECT_TRUE(question->Finish());
    EXPECT_EQ(question->Text(), kUnsavedIcons);
    EXPECT_TRUE(dlg.IsOpen());
    EXPECT_EQ(Icons().GetCount(), 3);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 3);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowKeyTest, EscapeAnsweredYesEmptiesTheListAndCloses) {
  std::unique_ptr<DialogAnswerer> question;
  Then([&] {
    LoadThreeUnsavedIcons();
    question = std::make_unique<DialogAnswerer>("Vantrel", IDYES, dlg.m_hWnd);
    PostKey(VK_ESCAPE);
  });
  Then([&] { ADD_FAILURE() << "the window stayed open"; });
  EXPECT_EQ(Run(), IDCANCEL);
  EXPECT_TRUE(question->Finish());
  EXPECT_EQ(dlg.itemsAtDestroy, 0);
  EXPECT_EQ(Icons().GetCount(), 0);
}

TEST_F(MainWindowKeyTest, EnterDoesNothing) {
  Then([this] {
    LoadThreeUnsavedIcons();
    PostKey(VK_RETURN);
    dlg.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
  });
  Then([this] {
    EXPECT_TRUE(dlg.IsOpen());
    EXPECT_EQ(dlg.okCalls, 0);
    EXPECT_EQ(Icons().GetCount(), 3);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

// Holds Ctrl down in this thread's keyboard state while it lives.
class ControlKeyHeld {
 public:
  ControlKeyHeld() {
    GetKeyboardState(m_saved);
    BYTE held[256];
    std::copy(m_saved, m_saved + 256, held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held);
  }
  ~ControlKeyHeld() { SetKeyboardState(m_saved); }
  ControlKeyHeld(const ControlKeyHeld&) = delete;
  ControlKeyHeld& operator=(const ControlKeyHeld&) = delete;

 private:
  BYTE m_saved[256] = {};
};

TEST_F(MainWindowKeyTest, CtrlSReachesTheWindowAsTheSaveCommand) {
  std::unique_ptr<ControlKeyHeld> control;
  Then([&] {
    control = std::make_unique<ControlKeyHeld>();
    PostKey('S');
  });
  Then([&] {
    control.reset();
    const std::pair<UINT, UINT> fromAccelerator{ID_SAVE, 1};
    EXPECT_NE(std::find(dlg.commands.begin(), dlg.commands.end(), fromAccelerator), dlg.commands.end());
    EXPECT_TRUE(dlg.IsOpen());
  });
  EXPECT_EQ(Run(), kScriptDone);
}

TEST_F(MainWindowKeyTest, SWithoutCtrlIsNoCommand) {
  Then([this] { PostKey('S'); });
  Then([this] {
    for (const auto& command : dlg.commands) EXPECT_NE(command.first, static_cast<UINT>(ID_SAVE));
  });
  EXPECT_EQ(Run(), kScriptDone);
}

}  // namespace
