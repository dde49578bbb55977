// Add Folder from the main window: Cancel in the system's folder browser, and
// the saved flag after a search. The end-to-end tests search a picked folder.

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "ProgramTestSupport.h"
#include "SearchTestSupport.h"
#include "resources/resource.h"

namespace {

using searchtest::MakeFolder;
using searchtest::WriteIcoAt;
using searchtest::WriteTextAt;

constexpr int kScriptDone = 4545;

class AddFolderCommandTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    TheApp().WriteDefaultSettings();
    tree = MakeFolder(folder.Path(), "tree");
    TheApp().m_pMainWnd = &dlg;
  }
  void TearDown() override {
    TheApp().m_pMainWnd = nullptr;
    AppTest::TearDown();
  }

  CIconCollection& Icons() { return TheApp().m_icons; }
  void Then(std::function<void()> step) { dlg.steps.push_back(std::move(step)); }
  INT_PTR Run() {
    Then([this] { dlg.EndDialog(kScriptDone); });
    return dlg.DoModal();
  }
  // Runs Add Folder as its menu item does, to its end; the watcher picks
  // `picked` in the browser (when given) and presses `button`. A browser
  // that never shows the folder fails the test: OK would search whatever it
  // had selected, a whole drive perhaps, so it is cancelled instead.
  void AddFolder(const std::string& picked, int button) {
    bool shown = true;
    DialogWatcher browser("", [&](HWND window) {
      shown = picked.empty() || SelectInFolderBrowser(window, picked);
      Press(shown ? button : IDCANCEL)(window);
    }, nullptr, dlg.m_hWnd);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_ADD_FOLDER, 0), 0);
    ASSERT_TRUE(browser.Finish());
    ASSERT_TRUE(shown) << "the browser never showed " << picked;
  }

  ScriptedMainDlg dlg;
  std::string tree;
};

TEST_F(AddFolderCommandTest, ABrowserCancelledSearchesNothingAndAFolderWithoutIconsMarksOnlyEarlierIconsUnsaved) {
  WriteTextAt(tree + "\\notes.txt");
  const std::string earlier = WriteIcoAt(folder.File("earlier.ico"));
  Then([this, earlier] {
    Icons().m_filterIco = TRUE;
    AddFolder(folder.Path(), IDCANCEL);
    AddFolder(tree, IDOK);
    EXPECT_TRUE(Icons().m_saved) << "an empty list holds nothing unsaved";
    Icons().LoadFromFile(earlier.c_str(), TRUE);
    AddFolder(tree, IDOK);
    EXPECT_EQ(dlg.m_iconList.GetItemCount(), 1);
    EXPECT_FALSE(Icons().m_saved);
  });
  EXPECT_EQ(Run(), kScriptDone);
}

}  // namespace
