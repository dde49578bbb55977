// The save progress dialog and its worker: which icons are written under
// which numbers, what the bar and the label show, and what a file holds.

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "CommandsTestSupport.h"
#include "SaveTestSupport.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "ui/resource.h"

namespace {

using SaveWorkerTest = SaveTest;

BOOL CALLBACK AppendStaticText(HWND child, LPARAM context) {
  char name[16] = {};
  GetClassNameA(child, name, sizeof name);
  if (lstrcmpiA(name, "Static") == 0) {
    wchar_t wide[256] = {};
    InternalGetWindowText(child, wide, 256);
    *reinterpret_cast<std::wstring*>(context) += wide;
  }
  return TRUE;
}

// The wide text of a message box's static controls, read without a message
// (the box's thread is the worker, which waits in it).
std::wstring BoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, AppendStaticText, reinterpret_cast<LPARAM>(&text));
  return text;
}

TEST_F(SaveWorkerTest, ThreeTickedOfTenAreNumberedInListOrder) {
  AddIcos({10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
  TickOnly({1, 4, 7});
  ObservedSaveDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico", "Untitled_0002.ico"}));
  const uint8_t seeds[] = {11, 14, 17};
  for (int i = 0; i < 3; ++i) {
    const auto blocks = IcoFileBlocks(library.File("Untitled_000" + std::to_string(i) + ".ico"));
    ASSERT_EQ(blocks.size(), 1u);
    EXPECT_EQ(blocks[0], WithSizeImageCleared(SeedBlock(seeds[i]))) << i;
  }
  EXPECT_EQ(dialog.finalPos, 3);
  EXPECT_EQ(dialog.finalLabel, "100");
  EXPECT_EQ(dialog.m_done, 3);
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
}

TEST_F(SaveWorkerTest, ASecondRunStartsAgainAtZeroAndReplacesTheFiles) {
  AddIcos({1, 2});
  CSaveProgressDlg first;
  RunSaveDialog(first, library.Path(), "ico");
  TickOnly({1});
  CSaveProgressDlg second;

  EXPECT_EQ(RunSaveDialog(second, library.Path(), "ico"), IDOK);

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(IcoFileBlocks(library.File("Untitled_0000.ico"))[0], WithSizeImageCleared(SeedBlock(2)));
}

TEST_F(SaveWorkerTest, AnUnreadableSourceUsesNoNumber) {
  AddIcos({1, 2, 3});
  DeleteFileA(sources.File("seed2.ico").c_str());
  ObservedSaveDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico"}));
  EXPECT_EQ(IcoFileBlocks(library.File("Untitled_0001.ico"))[0], WithSizeImageCleared(SeedBlock(3)));
  EXPECT_EQ(dialog.finalPos, 2);
  EXPECT_EQ(dialog.finalLabel, "66");
}

TEST_F(SaveWorkerTest, AFailedWriteKeepsItsNumberAndLeavesAGap) {
  AddIcos({1, 2, 3});
  // A folder where the second file should go: the write fails.
  CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr);
  ObservedSaveDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico\\", "Untitled_0002.ico"}));
  EXPECT_EQ(IcoFileBlocks(library.File("Untitled_0002.ico"))[0], WithSizeImageCleared(SeedBlock(3)));
  EXPECT_EQ(dialog.finalPos, 2);
  EXPECT_EQ(dialog.finalLabel, "66");
  EXPECT_EQ(dialog.m_nextNumber, 3);
}

TEST_F(SaveWorkerTest, AFailedBitmapWriteIsReportedInChineseCaptionedWithThePath) {
  AddIcos({1, 2});
  const std::string failing = library.File("Untitled_0000.bmp");
  CreateDirectoryA(failing.c_str(), nullptr);
  std::wstring text;
  HWND owner = reinterpret_cast<HWND>(1);
  DWORD style = 0;
  DialogWatcher watcher(failing, [&](HWND box) {
    text = BoxText(box);
    owner = GetWindow(box, GW_OWNER);
    style = static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE));
    Press(IDOK)(box);
  });
  CSaveProgressDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "bmp"), IDOK);

  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(text, L"\u4F4D\u56FE\u6587\u4EF6\u5EFA\u7ACB\u5931\u8D25\uFF01");  // "位图文件建立失败！"
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.bmp\\", "Untitled_0001.bmp"}));
  const std::vector<uint8_t> bitmap = ReadBytes(library.File("Untitled_0001.bmp"));
  ASSERT_GE(bitmap.size(), 2u);
  EXPECT_EQ(bitmap[0], 'B');
  EXPECT_EQ(bitmap[1], 'M');
}

TEST_F(SaveWorkerTest, PngImagesOfAModuleGroupAreSavedByteForByte) {
  const std::vector<uint8_t> png = MakePngBlock(256, 256, 7);
  const std::vector<uint8_t> dib = MakeDibBlock(32, 32, 8, 0, 9);
  const std::vector<uint8_t> small = MakeDibBlock(16, 16, 4, 0, 5);
  std::vector<BuiltResource> resources;
  const std::vector<std::vector<uint8_t>> images = {png, dib, small};
  for (uint16_t i = 0; i < 3; ++i) resources.push_back({kResourceIcon, ResourceName::Id(i + 1), 0x409, images[i]});
  resources.push_back({kResourceGroupIcon, ResourceName::Text("MAINICON"), 0x409, BuildGroupIcon(images, {1, 2, 3})});
  const std::string module = sources.File("png.dll");
  WriteBytes(module, BuildPeModule(resources));
  Icons().LoadFromFile(module.c_str(), TRUE);
  ASSERT_EQ(ListCount(), 1);
  CSaveProgressDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  const auto blocks = IcoFileBlocks(library.File("Untitled_0000.ico"));
  ASSERT_EQ(blocks.size(), 3u);
  EXPECT_EQ(blocks[0], png);
  EXPECT_EQ(blocks[1], WithSizeImageCleared(dib));
  EXPECT_EQ(blocks[2], WithSizeImageCleared(small));
}

TEST_F(SaveWorkerTest, EveryImageOfAnIcoFileIsSavedInItsOrder) {
  const std::vector<std::vector<uint8_t>> images = {MakeDibBlock(48, 48, 32, 0, 1), MakeDibBlock(16, 16, 1, 0, 2),
                                                    MakePngBlock(64, 64, 3)};
  AddIco("three.ico", images);
  CSaveProgressDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  const auto blocks = IcoFileBlocks(library.File("Untitled_0000.ico"));
  ASSERT_EQ(blocks.size(), 3u);
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(blocks[i], WithSizeImageCleared(images[i])) << i;
}

TEST_F(SaveWorkerTest, TheBarTakesMoreThan65535Icons) {
  AddIcos({1});
  ObservedSaveDlg dialog;
  dialog.m_folder = library.Path().c_str();
  dialog.m_baseName = "Untitled";
  dialog.m_type = "ico";
  dialog.m_list = &host.list;
  dialog.m_total = 70000;

  EXPECT_EQ(dialog.DoModal(), IDOK);

  EXPECT_EQ(dialog.rangeLow, 0);
  EXPECT_EQ(dialog.rangeHigh, 70000);
  EXPECT_EQ(dialog.finalPos, 1);
  EXPECT_EQ(dialog.finalLabel, "0");
}

TEST_F(SaveWorkerTest, NothingTickedPostsTheEndAtOnce) {
  AddIcos({1, 2});
  TickOnly({});
  ObservedSaveDlg dialog;

  EXPECT_EQ(RunSaveDialog(dialog, library.Path(), "ico"), IDOK);

  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_EQ(dialog.finalPos, 0);
  EXPECT_EQ(dialog.finalLabel, "0");
}

// --- The dialog's looks -------------------------------------------------------

class SaveDialogLooksTest : public SaveTest {
 protected:
  // Runs the dialog and checks it while it is open: the worker waits at the
  // first item until the check is done.
  void WhileOpen(const std::function<void(HWND)>& check) {
    AddIcos({1});
    bool checked = false;
    host.list.onQuery = [&](int item) {
      HWND open = OpenSaveProgressDialog();
      if (item != 0 || checked || !open) return;
      checked = true;
      check(open);
    };
    CSaveProgressDlg dialog;
    RunSaveDialog(dialog, library.Path(), "ico");
    EXPECT_TRUE(checked);
  }
};

TEST_F(SaveDialogLooksTest, LabelsAreTransparentOnTheDialogColour) {
  WhileOpen([](HWND dialog) {
    for (const int id : {IDC_SAVE_MESSAGE, IDC_SAVE_PERCENT, IDC_PERCENT_SIGN}) {
      const ControlColours colours = ColoursFor(dialog, id);
      EXPECT_EQ(colours.backgroundMode, TRANSPARENT) << id;
      EXPECT_EQ(colours.textColour, GetSysColor(COLOR_WINDOWTEXT)) << id;
      EXPECT_EQ(colours.brushColour, RGB(240, 248, 255)) << id;
    }
  });
}

TEST_F(SaveDialogLooksTest, SurfaceIsPaintedAndDragsTheDialog) {
  WhileOpen([](HWND dialog) {
    EXPECT_EQ(PaintedColour(dialog, POINT{3, 3}), RGB(240, 248, 255));
    RECT client{};
    GetClientRect(dialog, &client);
    POINT inside{client.right / 2, 4};
    ClientToScreen(dialog, &inside);
    EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCAPTION);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, WS_BORDER);
  });
}

}  // namespace
