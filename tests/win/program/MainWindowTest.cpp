// The main window run modally inside the test process and driven from its own
// modal loop: views, "Select all icons", the path of a clicked icon, and the
// ways out with their questions. The flows the
// end-to-end tests drive through the real program (Add File, About, Setting,
// the Clear All confirmation, Save As) are not repeated here.

#include <shlobj.h>

#include <algorithm>
#include <memory>

#include "ProgramTestSupport.h"
#include "support/ModuleBuilder.h"
#include "collection/FilterSettings.h"
#include "resources/resource.h"
#include "ui/MainDlg.h"

namespace {

// The main window under script, recording what it held when it was destroyed.
class ScriptedMainDlg : public ScriptedDialog<CMainDlg> {
 public:
  int itemsAtDestroy = -1;
  std::string pathTextAtDestroy;

  std::string PathText() const { return WindowText(m_pathEdit.m_hWnd); }
  int ViewType() const { return static_cast<int>(m_iconList.GetStyle() & LVS_TYPEMASK); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_DESTROY) {
      itemsAtDestroy = m_iconList.GetItemCount();
      pathTextAtDestroy = PathText();
    }
    return ScriptedDialog<CMainDlg>::WindowProc(msg, wParam, lParam);
  }
};

// The main window run as the application's main window (so the dialogs its
// commands open belong to it) over the default settings.
class MainWindowUseTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
    TheApp().m_pMainWnd = &dlg;
  }
  void TearDown() override {
    TheApp().m_pMainWnd = nullptr;
    AppTest::TearDown();
  }
  // Loads `count` one-icon .ico files as the commands do and marks them unsaved.
  void LoadUnsavedIcons(int count) {
    ReadFilterSettings(TheApp().m_config, Icons());
    for (int i = 0; i < count; ++i, ++m_written) {
      const std::string path = WriteIcoAt(folder.File("icon" + std::to_string(m_written) + ".ico"));
      Icons().LoadFromFile(path.c_str(), dlg.SelectAllChecked());
    }
    Icons().SetSaved(false);
  }
  void ClickItem(int index) {
    NMITEMACTIVATE click = {};
    click.hdr.hwndFrom = dlg.m_iconList.m_hWnd;
    click.hdr.idFrom = IDC_ICON_LIST;
    click.hdr.code = NM_CLICK;
    click.iItem = index;
    dlg.SendMessage(WM_NOTIFY, IDC_ICON_LIST, reinterpret_cast<LPARAM>(&click));
  }
  // Presses the item's check box, found by the list's own hit test.
  void ClickCheckBox(int index) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    dlg.m_iconList.SendMessage(LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left - 20; x < r.right; ++x) {
        UINT flags = 0;
        if (dlg.m_iconList.HitTest(CPoint(x, y), &flags) == index && (flags & LVHT_ONITEMSTATEICON))
          return (void)dlg.m_iconList.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
      }
    ADD_FAILURE() << "no check box on item " << index;
  }
  int CheckedItems() const {
    int checked = 0;
    for (int i = 0; i < dlg.m_iconList.GetItemCount(); ++i) checked += dlg.m_iconList.GetCheck(i) ? 1 : 0;
    return checked;
  }
  // The command as its menu item sends it; returns when the command is done.
  void Command(UINT id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  INT_PTR Run() { return dlg.DoModal(); }

  ScriptedMainDlg dlg;
  int m_written = 0;
};

TEST_F(MainWindowUseTest, ViewAndSelectAllStartAsTheSettingsSay) {
  const struct {
    const char* view;
    const char* selectAll;
    int type;
    int radio;
  } cases[] = {{"1", "0", LVS_SMALLICON, IDC_VIEW_SMALL},
               {"2", "1", LVS_LIST, IDC_VIEW_LIST},
               {"7", "1", LVS_ICON, IDC_VIEW_NORMAL}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("View=") + c.view);
    WriteSetting("Setting", "View", c.view);
    WriteSetting("Setting", "SelectAll", c.selectAll);
    ScriptedMainDlg window;
    window.steps.push_back([&] {
      for (const int radio : {IDC_VIEW_NORMAL, IDC_VIEW_SMALL, IDC_VIEW_LIST})
        EXPECT_EQ(window.IsDlgButtonChecked(radio), radio == c.radio ? 1u : 0u) << radio;
      EXPECT_EQ(window.ViewType(), c.type);
      EXPECT_EQ(window.SelectAllChecked(), c.selectAll[0] == '1');
    });
    EXPECT_EQ(window.DoModal(), kStepsDone);
  }
}

TEST_F(MainWindowUseTest, SelectAllTicksEveryItemAndClickShowsTheIconsFile) {
  Then([this] {
    LoadUnsavedIcons(3);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(CheckedItems(), 0);
    dlg.m_selectAllCheck.SendMessage(BM_CLICK);
    EXPECT_EQ(CheckedItems(), 3);
    ClickCheckBox(1);
    EXPECT_EQ(CheckedItems(), 2);
    EXPECT_FALSE(dlg.m_iconList.GetCheck(1));
    dlg.m_iconList.SetItemState(0, LVIS_FOCUSED, LVIS_FOCUSED);
    dlg.m_iconList.SendMessage(WM_KEYDOWN, VK_RIGHT);
    dlg.m_iconList.SendMessage(WM_KEYDOWN, VK_SPACE);
    EXPECT_EQ(CheckedItems(), 3);
    ClickItem(2);
    EXPECT_EQ(dlg.PathText(), folder.File("icon2.ico"));
    ClickItem(-1);
    ClickItem(3);
    EXPECT_EQ(dlg.PathText(), folder.File("icon2.ico"));
  });
  EXPECT_EQ(Run(), kStepsDone);
}

TEST_F(MainWindowUseTest, AFileDroppedWithoutAnIconSaysOnceWhichFileAndWhy) {
  const std::string damaged = folder.File("damaged.dll");
  ASSERT_TRUE(WriteBytes(damaged, {'M', 'Z', 0, 0}));
  const std::string bare = WriteModuleAt(folder.File("bare.dll"), 0);
  const std::string lacking = folder.File("lacking.dll");
  ASSERT_TRUE(WriteBytes(lacking, BuildPeModule(GroupWithAMissingImage())));
  Then([&] {
    for (const std::string& said :
         {damaged + "\nis damaged: cut short at 4 bytes, inside its headers.", bare + "\nholds no icon.",
          lacking + "\nlacks 1 image that its icons name; the icons keep their other images."}) {
      DialogWatcher message("Vantrel", Press(IDOK), dlg.m_hWnd);
      dlg.AddFileAsDropped(said.substr(0, said.find('\n')));
      EXPECT_TRUE(message.Finish() && message.Seen().text == said) << message.Seen().text;
    }
  });
  EXPECT_EQ(Run(), kStepsDone);
}

// What the shell hands a window when files are dropped on it.
HDROP DropOf(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::copy(names.begin(), names.end(), reinterpret_cast<char*>(drop + 1));
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

TEST_F(MainWindowUseTest, FilesAndAFolderDroppedTogetherAreAllAddedAndOneMessageNamesTheFilesWithoutIcons) {
  const std::string tree = folder.File("tree");
  ASSERT_TRUE(CreateDirectoryA(tree.c_str(), nullptr));
  const std::vector<std::string> dropped = {WriteIcoAt(folder.File("one.ico")), WriteModuleAt(folder.File("bare.dll"), 0),
                                            tree, WriteModuleAt(folder.File("two.dll"), 2), folder.File("notes.txt")};
  WriteIcoAt(tree + "\\inside.ico");
  Then([&] {
    DialogWatcher message("Vantrel", Press(IDOK), dlg.m_hWnd);
    dlg.m_iconList.SendMessage(WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(dropped)));
    EXPECT_TRUE(message.Finish());
    EXPECT_EQ(message.Seen().text, dropped[1] + "\nholds no icon.\n\n" + dropped[4] +
                                       "\nis not of a type the file filter takes.");
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 4);
  });
  EXPECT_EQ(Run(), kStepsDone);
}

enum class Way { kClose, kEscape, kEnter, kExit };

struct LeaveCase {
  const char* name;
  Way way;
  int icons;
  BOOL saved;
  int unsavedAnswer;  // 0: the question may not appear
  int confirmAnswer;  // 0: Clear All's confirmation may not appear
  int itemsAtEnd;     // -1: the window stays open
};

class MainWindowLeaveTest : public MainWindowUseTest, public ::testing::WithParamInterface<LeaveCase> {};

// Closing, Escape and Exit ask about unsaved icons; once the exit is decided,
// Exit clears without Clear All's confirmation. Enter does nothing.
TEST_P(MainWindowLeaveTest, AsksAboutUnsavedIconsThenEndsOrKeepsEverything) {
  const LeaveCase& c = GetParam();
  std::unique_ptr<DialogWatcher> unsaved, confirm;
  Then([&] {
    LoadUnsavedIcons(c.icons);
    Icons().SetSaved(c.saved != FALSE);
    if (c.icons) ClickItem(0);
    unsaved = std::make_unique<DialogWatcher>("Vantrel", Press(c.unsavedAnswer ? c.unsavedAnswer : IDNO), dlg.m_hWnd);
    confirm = std::make_unique<DialogWatcher>("Confirm", Press(c.confirmAnswer ? c.confirmAnswer : IDCANCEL), dlg.m_hWnd);
    if (c.way == Way::kClose) dlg.PostMessage(WM_CLOSE);
    if (c.way == Way::kEscape) dlg.m_iconList.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    if (c.way == Way::kEnter) dlg.m_iconList.PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    if (c.way == Way::kExit) Command(ID_EXIT);
  });
  Then([&] {
    EXPECT_EQ(c.itemsAtEnd, -1) << "the window stayed open";
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), c.icons);
    EXPECT_EQ(dlg.PathText(), folder.File("icon0.ico"));
  });
  const INT_PTR ended = Run();
  EXPECT_EQ(ended, c.itemsAtEnd < 0 ? kStepsDone : c.way == Way::kExit ? IDOK : IDCANCEL);
  EXPECT_EQ(unsaved->Finish(), c.unsavedAnswer != 0);
  if (c.unsavedAnswer) {
    EXPECT_EQ(unsaved->Seen().text, c.icons == 1 ? "You haven't saved the icon.\nAre you sure to exit?"
                                                 : "You haven't saved the icons.\nAre you sure to exit?");
  }
  EXPECT_EQ(confirm->Finish(), c.confirmAnswer != 0);
  if (c.itemsAtEnd >= 0) {
    EXPECT_EQ(dlg.itemsAtDestroy, c.itemsAtEnd);
    EXPECT_EQ(dlg.pathTextAtDestroy.empty(), c.itemsAtEnd == 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowLeaveTest,
    ::testing::Values(LeaveCase{"CloseAsksOfOneIconInTheSingularAndNoKeeps", Way::kClose, 1, FALSE, IDNO, 0, -1},
                      LeaveCase{"CloseYesEmptiesAndCloses", Way::kClose, 3, FALSE, IDYES, 0, 0},
                      LeaveCase{"EscapeNoKeepsEverything", Way::kEscape, 3, FALSE, IDNO, 0, -1},
                      LeaveCase{"EnterDoesNothing", Way::kEnter, 3, FALSE, 0, 0, -1},
                      LeaveCase{"ExitYesClearsWithoutAskingAgain", Way::kExit, 2, FALSE, IDYES, 0, 0},
                      LeaveCase{"ExitWhenSavedAsksNothing", Way::kExit, 2, TRUE, 0, 0, 0},
                      LeaveCase{"ExitOfAnEmptyListAsksNothing", Way::kExit, 0, FALSE, 0, 0, 0}),
    [](const ::testing::TestParamInfo<LeaveCase>& info) { return std::string(info.param.name); });

}  // namespace
