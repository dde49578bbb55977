// DoModal's own loop: the owner disabled only while it runs, and the
// PreTranslateMessage chain. (A quit message is handed on: the worker
// dialog's test shows it.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/WinApp.h"

namespace {

TEST(DialogModalLoopTest, OwnerIsTheParentOrElseTheMainWindowAndIsDisabledOnlyWhileTheDialogRuns) {
  // With only a main window, and with a parent disabled before, which stays so.
  for (const auto& [withParent, disabledBefore] : {std::pair{false, false}, {true, true}}) {
    SCOPED_TRACE(testing::Message() << "parent " << withParent << ", disabled before " << disabledBefore);
    HostWindow owner;
    owner.EnableWindow(!disabledBefore);
    AfxGetApp()->m_pMainWnd = withParent ? nullptr : &owner;
    FrameworkDialog dialog(withParent ? &owner : nullptr);
    BOOL ownerEnabled = TRUE;
    HWND ownerSeen = nullptr;
    dialog.steps = {[&] {
      ownerEnabled = owner.IsWindowEnabled();
      ownerSeen = ::GetWindow(dialog.m_hWnd, GW_OWNER);
    }};

    EXPECT_EQ(dialog.DoModal(), kStepsDone);
    AfxGetApp()->m_pMainWnd = nullptr;
    EXPECT_EQ(ownerSeen, owner.m_hWnd);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(owner.IsWindowEnabled(), !disabledBefore);
  }
}

// Records who saw a key first; the dialog swallows Escape.
template <class Base, bool kSwallowEscape>
class KeyRecording : public Base {
 public:
  std::vector<std::string>* order = nullptr;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message != WM_KEYDOWN) return FALSE;
    order->push_back(kSwallowEscape ? "dialog" : "edit");
    return kSwallowEscape && msg->wParam == VK_ESCAPE;
  }
};

TEST(DialogModalLoopTest, PreTranslateMessageRunsFromTheControlUpToTheDialogAndCanSwallow) {
  std::vector<std::string> order;
  KeyRecording<FrameworkDialog, true> dialog;
  KeyRecording<CWnd, false> edit;
  dialog.order = edit.order = &order;
  dialog.steps = {[&] {
                    edit.SubclassDlgItem(IDC_EDIT, &dialog);
                    ::PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
                  },
                  [&] { dialog.EndDialog(42); }};

  // Unswallowed, the Escape key would have cancelled the dialog.
  EXPECT_EQ(dialog.DoModal(), 42);
  EXPECT_EQ(order, (std::vector<std::string>{"edit", "dialog"}));
}

}  // namespace
