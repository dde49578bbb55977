// The main window's command buttons drawn by the program itself: a shaded,
// blue-tinted face, bright on the left and dark on the right.

#include "ProductProcess.h"

namespace {

using ShadedButtonsTest = ProductTest;

int Brightness(COLORREF colour) { return GetRValue(colour) + GetGValue(colour) + GetBValue(colour); }

TEST_F(ShadedButtonsTest, MainWindowButtonsShowTheShadedFace) {
  Start();
  ASSERT_TRUE(BringToFront(window));
  SetCursorPos(0, 0);  // nothing hovered
  HDC screen = GetDC(nullptr);
  for (int id : {kAddFileButton, kAddFolderButton, kSaveButton, kSaveAsButton, kClearAllButton}) {
    const HWND button = GetDlgItem(window, id);
    EXPECT_EQ(GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    RECT rect;
    GetWindowRect(button, &rect);
    COLORREF left = 0, right = 0;
    // The window may still be painting its buttons.
    EXPECT_TRUE(WaitUntil(
        [&] {
          left = GetPixel(screen, rect.left + 1, rect.top + 1);
          right = GetPixel(screen, rect.right - 2, rect.top + 1);
          return Brightness(left) > Brightness(right) + 120;
        },
        kDialogTimeout))
        << id << ": " << Brightness(left) << " vs " << Brightness(right);
    EXPECT_GT(GetBValue(left), GetRValue(left)) << id;
    EXPECT_GT(GetBValue(right), GetRValue(right)) << id;
  }
  ReleaseDC(nullptr, screen);
}

}  // namespace
