// CFileDialog driven as a user would: another thread types a name into the
// system's dialog and presses its buttons.

#include <gtest/gtest.h>

#include <string>

#include "FrameworkTestSupport.h"
#include "framework/FileDialog.h"
#include "framework/Thread.h"

namespace {

constexpr char kTitle[] = "Framework file dialog";
constexpr int kFileNameBox = 0x47c;
constexpr int kTypeList = 0x470;

struct Typist {
  std::string name;  // empty: press Cancel
  LRESULT typeCount = -1;
};

UINT TypeAndPress(LPVOID param) {
  auto* typist = static_cast<Typist*>(param);
  HWND dialog = WaitForWindow("#32770", kTitle);
  if (!dialog) return 1;
  typist->typeCount = ::SendDlgItemMessageA(dialog, kTypeList, CB_GETCOUNT, 0, 0);
  if (typist->name.empty()) {
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  } else {
    ::SetDlgItemTextA(dialog, kFileNameBox, typist->name.c_str());
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
  return 0;
}

class FileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    folder = temp;
    if (folder.back() == '\\') folder.pop_back();
  }

  INT_PTR Run(CFileDialog& dialog, Typist& typist) {
    dialog.m_ofn.lpstrTitle = kTitle;
    AfxBeginThread(&TypeAndPress, &typist);
    return dialog.DoModal();
  }

  std::string folder;
};

TEST_F(FileDialogTest, SaveDialogGivesTheChosenPathAndItsParts) {
  CFileDialog dialog(FALSE, ".ico", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "Icon Files (*.ico)|*.ico|Bmp Files (*.bmp)|*.bmp||");
  Typist typist{folder + "\\my.icon.ico"};

  ASSERT_EQ(Run(dialog, typist), IDOK);

  EXPECT_EQ(typist.typeCount, 2);
  EXPECT_EQ(dialog.GetPathName(), (folder + "\\my.icon.ico").c_str());
  EXPECT_EQ(dialog.GetFileName(), "my.icon.ico");
  EXPECT_EQ(dialog.GetFileTitle(), "my.icon");
  EXPECT_EQ(dialog.GetFileExt(), "ico");
}

TEST_F(FileDialogTest, NameWithoutExtensionGetsTheDefaultOne) {
  CFileDialog dialog(FALSE, ".ico", nullptr, OFN_HIDEREADONLY, "Icon Files (*.ico)|*.ico||");
  Typist typist{folder + "\\star"};

  ASSERT_EQ(Run(dialog, typist), IDOK);

  EXPECT_EQ(dialog.GetFileName(), "star.ico");
  EXPECT_EQ(dialog.GetFileExt(), "ico");
}

TEST_F(FileDialogTest, CancelGivesIdCancel) {
  CFileDialog dialog(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                     "Exe Files (*.exe)|*.exe|");
  Typist typist;

  EXPECT_EQ(Run(dialog, typist), IDCANCEL);
  EXPECT_EQ(typist.typeCount, 1);
}

}  // namespace
