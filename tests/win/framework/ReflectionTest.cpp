// Controls bound with DDX_Control, and notifications reflected from the
// dialog back to the control that sent them. (Owner drawing reflected to a
// control is shown by the styled buttons' tests, which draw through their host.)

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FrameworkTestSupport.h"
#include "framework/Button.h"
#include "framework/Gdi.h"
#include "framework/Static.h"

namespace {

class HearingButton : public CButton {
 public:
  std::vector<std::string>* heard = nullptr;

 protected:
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) heard->push_back("button clicked");
    return CButton::OnChildNotify(msg, wParam, lParam, result);
  }
};

class SelfColouredLabel : public CStatic {
 public:
  CBrush brush{RGB(1, 2, 3)};

 protected:
  HBRUSH CtlColor(CDC*, UINT) override { return brush; }
};

// Binds its controls in DoDataExchange and notes the clicks its own handler hears.
class BindingDialog : public FrameworkDialog {
 public:
  HearingButton push;
  SelfColouredLabel label;
  std::vector<std::string> heard;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    push.heard = &heard;
    DDX_Control(dx, IDC_PUSH_BUTTON, push);
    DDX_Control(dx, IDC_LABEL, label);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) == IDC_PUSH_BUTTON) heard.push_back("dialog clicked");
    return FrameworkDialog::OnCommand(wParam, lParam);
  }
};

TEST(ReflectionTest, BoundControlsColourThemselvesAndHearTheirClickBeforeTheDialog) {
  BindingDialog dialog;
  CWnd* boundLabel = nullptr;
  LRESULT labelBrush = 0;
  dialog.steps = {[&] {
    dialog.UpdateData(FALSE);  // a second exchange must not bind again
    boundLabel = CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_LABEL));
    dialog.label.SetWindowText("typed");  // would recurse forever if bound twice
    dialog.push.SendMessage(BM_CLICK);
    // Asked as the label itself asks its parent.
    HDC dc = ::GetDC(dialog.label);
    labelBrush = dialog.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                    reinterpret_cast<LPARAM>(dialog.label.m_hWnd));
    ::ReleaseDC(dialog.label, dc);
  }};

  EXPECT_EQ(dialog.DoModal(), kStepsDone);
  EXPECT_EQ(boundLabel, &dialog.label);
  EXPECT_EQ(dialog.heard, (std::vector<std::string>{"button clicked", "dialog clicked"}));
  EXPECT_EQ(labelBrush, reinterpret_cast<LRESULT>(static_cast<HBRUSH>(dialog.label.brush)));
}

}  // namespace
