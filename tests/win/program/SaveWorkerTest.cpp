// The save progress dialog and its worker: which icons are written under
// which numbers, what the bar and the label show, what a file holds, and
// Cancel: the worker stops at its next check and is never killed, the dialog
// ends only after it, and nothing is left open.
//
// A click cannot be timed against the worker, so the tests act at a chosen
// moment from the list's own thread while the worker waits for its answer.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "resources/resource.h"

namespace {

// Keeps what the bar and label showed when the worker reported the end, and
// can stand in for a Cancel click that came in just after the last icon.
class ObservedSaveDlg : public CSaveProgressDlg {
 public:
  int rangeHigh = -1;
  int finalPos = -1;
  std::string finalLabel;
  bool cancelOnFinish = false;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_SAVE_FINISHED) {
      PBRANGE range{};
      m_progress.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
      rangeHigh = range.iLow == 0 ? range.iHigh : -1;
      finalPos = m_progress.GetPos();
      CString label;
      m_percentLabel.GetWindowText(label);
      finalLabel = static_cast<LPCSTR>(label);
      if (cancelOnFinish) {
        cancelOnFinish = false;
        Press(IDCANCEL)(m_hWnd);
        return 0;
      }
    }
    return CSaveProgressDlg::WindowProc(msg, wParam, lParam);
  }
};

bool NobodyHoldsOpen(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::vector<std::string> Numbered(const std::vector<const char*>& numbers, const char* type = ".ico") {
  std::vector<std::string> names;
  for (const char* number : numbers) names.push_back(std::string("Untitled_") + number + type);
  return names;
}

class SaveWorkerTest : public SaveTest {
 protected:
  // Raises the flag and presses Cancel (twice: the second click comes while
  // the first waits) when the worker asks about `item` (-1: the item count).
  void CancelAt(CSaveProgressDlg& dialog, int item) {
    host.list.onQuery = [&dialog, item, this](int asked) {
      if (asked != item || cancelled || !dialog.m_hWnd) return;
      cancelled = true;
      dialog.m_cancel = 1;
      Press(IDCANCEL)(dialog.m_hWnd);
      Press(IDCANCEL)(dialog.m_hWnd);
    };
  }
  void ExpectNothingHeldOpen() {
    for (const TempFolder* where : {&library, &sources})
      for (const std::string& name : NamesIn(where->Path())) EXPECT_TRUE(NobodyHoldsOpen(where->File(name))) << name;
  }
  bool cancelled = false;
};

TEST_F(SaveWorkerTest, TickedIconsAreNumberedInListOrderAndASecondRunStartsAgain) {
  AddIcos({10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
  TickOnly({1, 4, 7});
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  const std::vector<std::string> names = Numbered({"0000", "0001", "0002"});
  EXPECT_EQ(NamesIn(library.Path()), names);
  const uint8_t seeds[] = {11, 14, 17};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(IcoBlocks(ReadBytes(library.File(names[i]))).size(), 1u);
    EXPECT_EQ(FirstBlockIn(names[i]), SavedSeed(seeds[i])) << i;
  }
  EXPECT_EQ(dialog.finalPos, 3);
  EXPECT_EQ(dialog.finalLabel, "100");
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
  TickOnly({9});
  CSaveProgressDlg second;
  EXPECT_EQ(RunSaveDialog(second, "ico"), IDOK);
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(19));
}

// A source that cannot be read uses no number; a write that fails keeps its
// number and leaves a gap.
TEST_F(SaveWorkerTest, UnreadableSourceTakesNoNumberAndFailedWriteLeavesAGap) {
  AddIcos({1, 2, 3, 4});
  DeleteFileA(sources.File("seed2.ico").c_str());
  CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr);
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico\\",
                                                               "Untitled_0002.ico"}));
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(1));
  EXPECT_EQ(FirstBlockIn("Untitled_0002.ico"), SavedSeed(4));
  EXPECT_EQ(dialog.finalPos, 2);
  EXPECT_EQ(dialog.finalLabel, "50");
  EXPECT_EQ(dialog.m_nextNumber, 3);
}

TEST_F(SaveWorkerTest, AFailedBitmapWriteIsReportedInChineseCaptionedWithThePath) {
  AddIcos({1, 2});
  const std::string failing = library.File("Untitled_0000.bmp");
  CreateDirectoryA(failing.c_str(), nullptr);
  std::wstring text;
  HWND owner = reinterpret_cast<HWND>(1);
  DialogWatcher watcher(failing, [&](HWND box) {
    // Read without a message: the box's thread is the worker, waiting in it.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t wide[256] = {};
      char name[16] = {};
      GetClassNameA(child, name, sizeof name);
      if (lstrcmpiA(name, "Static") == 0 && InternalGetWindowText(child, wide, 256)) text += wide;
    }
    owner = GetWindow(box, GW_OWNER);
    Press(IDOK)(box);
  });
  CSaveProgressDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "bmp"), IDOK);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(text, L"\u4F4D\u56FE\u6587\u4EF6\u5EFA\u7ACB\u5931\u8D25\uFF01");
  EXPECT_EQ(owner, nullptr);
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.bmp\\", "Untitled_0001.bmp"}));
  const std::vector<uint8_t> bitmap = ReadBytes(library.File("Untitled_0001.bmp"));
  ASSERT_GE(bitmap.size(), 2u);
  EXPECT_EQ(std::string(bitmap.begin(), bitmap.begin() + 2), "BM");
}

TEST_F(SaveWorkerTest, EveryImageOfAModuleGroupOrAnIcoFileIsSavedInOrderPngByteForByte) {
  const std::vector<std::vector<uint8_t>> moduleImages = {MakePngBlock(256, 256, 7), MakeDibBlock(32, 32, 8, 0, 9),
                                                          MakeDibBlock(16, 16, 4, 0, 5)};
  std::vector<BuiltResource> resources;
  for (uint16_t i = 0; i < 3; ++i) resources.push_back({kResourceIcon, ResourceName::Id(i + 1), 0x409, moduleImages[i]});
  resources.push_back(
      {kResourceGroupIcon, ResourceName::Text("MAINICON"), 0x409, BuildGroupIcon(moduleImages, {1, 2, 3})});
  WriteBytes(sources.File("png.dll"), BuildPeModule(resources));
  Icons().LoadFromFile(sources.File("png.dll").c_str(), TRUE);
  const std::vector<std::vector<uint8_t>> icoImages = {MakeDibBlock(48, 48, 32, 0, 1), MakeDibBlock(16, 16, 1, 0, 2),
                                                       MakePngBlock(64, 64, 3)};
  AddIco("three.ico", icoImages);
  ASSERT_EQ(host.list.GetItemCount(), 2);
  CSaveProgressDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  for (const auto& [name, images] : {std::make_pair("Untitled_0000.ico", moduleImages),
                                     std::make_pair("Untitled_0001.ico", icoImages)}) {
    const auto blocks = IcoBlocks(ReadBytes(library.File(name)));
    ASSERT_EQ(blocks.size(), 3u) << name;
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(blocks[i], WithSizeImageCleared(images[i])) << name << " " << i;
  }
}

TEST_F(SaveWorkerTest, TheBarTakesMoreThan65535Icons) {
  AddIcos({1});
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico", 70000), IDOK);
  EXPECT_EQ(dialog.rangeHigh, 70000);
  EXPECT_EQ(dialog.finalPos, 1);
  EXPECT_EQ(dialog.finalLabel, "0");
}

TEST_F(SaveWorkerTest, NothingTickedPostsTheEndAtOnce) {
  AddIcos({1, 2});
  TickOnly({});
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  EXPECT_TRUE(NamesIn(library.Path()).empty());
  EXPECT_EQ(dialog.finalPos, 0);
  EXPECT_EQ(dialog.finalLabel, "0");
}

TEST_F(SaveWorkerTest, LooksAndColours) {
  AddIcos({1});
  bool checked = false;
  host.list.onQuery = [&](int item) {
    HWND dialog = OpenSaveProgressDialog();
    if (item != 0 || checked || !dialog) return;
    checked = true;
    ExpectColours(dialog, {{IDC_SAVE_MESSAGE, TRANSPARENT, GetSysColor(COLOR_WINDOWTEXT), kPaleBlue},
                           {IDC_SAVE_PERCENT, TRANSPARENT, GetSysColor(COLOR_WINDOWTEXT), kPaleBlue},
                           {IDC_PERCENT_SIGN, TRANSPARENT, GetSysColor(COLOR_WINDOWTEXT), kPaleBlue}});
    EXPECT_EQ(PaintedColour(dialog, POINT{3, 3}), kPaleBlue);
    // The surface drags the dialog, which has a border but no caption.
    RECT client{};
    GetClientRect(dialog, &client);
    POINT inside{client.right / 2, 4};
    ClientToScreen(dialog, &inside);
    EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCAPTION);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_CAPTION, WS_BORDER);
  };
  CSaveProgressDlg dialog;
  RunSaveDialog(dialog, "ico");
  EXPECT_TRUE(checked);
}

TEST_F(SaveWorkerTest, CancelBeforeTheFirstIconOrMidRunFinishesTheIconInHandAndStops) {
  AddIcos({1, 2, 3, 4, 5});
  struct Case {
    int cancelAt;
    int done;
  };
  for (const Case& c : {Case{-1, 0}, Case{2, 3}}) {
    SCOPED_TRACE(c.cancelAt);
    for (const std::string& name : NamesIn(library.Path())) DeleteFileA(library.File(name).c_str());
    cancelled = false;
    CSaveProgressDlg dialog;
    CancelAt(dialog, c.cancelAt);
    EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDCANCEL);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(NamesIn(library.Path()).size(), static_cast<size_t>(c.done));
    if (c.done) {
      EXPECT_EQ(FirstBlockIn("Untitled_0002.ico"), SavedSeed(3));
    }
    EXPECT_EQ(dialog.WorkerExitCode(), 0u);
    EXPECT_EQ(dialog.m_done, c.done);
    ExpectNothingHeldOpen();
  }
}

TEST_F(SaveWorkerTest, CancelAfterTheLastIconEndsWithCancelAndKeepsEveryFile) {
  AddIcos({1, 2});
  ObservedSaveDlg dialog;
  dialog.cancelOnFinish = true;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDCANCEL);
  EXPECT_EQ(NamesIn(library.Path()), Numbered({"0000", "0001"}));
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
  ExpectNothingHeldOpen();
}

TEST_F(SaveWorkerTest, CancelWhileTheWorkerShowsABitmapMessageWaitsForIt) {
  AddIcos({1, 2, 3});
  const std::string failing = library.File("Untitled_0000.bmp");
  CreateDirectoryA(failing.c_str(), nullptr);
  CSaveProgressDlg dialog;
  bool dialogAliveWhileWaiting = false;
  DialogWatcher watcher(failing, [&](HWND box) {
    HWND progress = dialog.m_hWnd;
    Press(IDCANCEL)(progress);
    // Long enough for the click to be handled and the wait to begin; the
    // dialog must still be there, answering, until the worker is released.
    Sleep(300);
    DWORD_PTR answer = 0;
    dialogAliveWhileWaiting = IsWindow(progress) && IsWindowVisible(progress) &&
                              SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &answer) != 0;
    Press(IDOK)(box);
  });
  EXPECT_EQ(RunSaveDialog(dialog, "bmp"), IDCANCEL);
  ASSERT_TRUE(watcher.Finish());
  EXPECT_TRUE(dialogAliveWhileWaiting);
  // The failed first icon kept its number; the worker stopped before the second.
  EXPECT_EQ(NamesIn(library.Path()), (std::vector<std::string>{"Untitled_0000.bmp\\"}));
  EXPECT_EQ(dialog.WorkerExitCode(), 0u);
}

TEST_F(SaveWorkerTest, EnterDuringTheRunNeitherEndsNorStopsIt) {
  AddIcos({1, 2, 3, 4});
  CSaveProgressDlg dialog;
  host.list.onQuery = [&dialog](int item) {
    if (item == 1 && dialog.m_hWnd) PostMessageA(dialog.m_hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  EXPECT_EQ(NamesIn(library.Path()).size(), 4u);
  EXPECT_EQ(dialog.WorkerExitCode(), 1u);
}

TEST_F(SaveWorkerTest, RepeatedRunsLeaveNoHandlesBehind) {
  AddIcos({1, 2, 3, 4});
  auto runOnce = [this](int cancelAt) {
    CSaveProgressDlg dialog;
    cancelled = false;
    if (cancelAt >= -1) CancelAt(dialog, cancelAt);
    RunSaveDialog(dialog, "ico");
    host.list.onQuery = nullptr;
  };
  runOnce(-2);
  DWORD before = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  for (int round = 0; round < 5; ++round)
    for (const int cancelAt : {-2, -1, 0, 2}) runOnce(cancelAt);
  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_LE(after, before + 2);
  ExpectNothingHeldOpen();
}

}  // namespace
