// The save's worker: which icons are written under which numbers, what the
// bar shows, what a file holds, and what a Cancel keeps.

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "ProgramTestSupport.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

// Keeps where the bar stood when the worker was done.
class ObservedSaveDlg : public ScriptedDialog<CSaveProgressDlg> {
 public:
  int rangeHigh = -1;
  int finalPos = -1;
  ObservedSaveDlg() { steps.push_back([this] { RunAgainLater(); }); }

 protected:
  void OnWorkerEnded() override {
    finalPos = m_progress.GetPos();
    rangeHigh = static_cast<int>(m_progress.SendMessage(PBM_GETRANGE, FALSE, 0));
  }
};

using SaveWorkerTest = SaveTest;

// A source that cannot be read uses no number; a write that fails keeps its
// number and leaves a gap; a second run starts again at 0000.
TEST_F(SaveWorkerTest, TickedIconsAreNumberedInListOrderSkippingUnreadableOnes) {
  AddIcos({10, 11, 12, 13, 14, 15});
  TickOnly({1, 2, 4, 5});
  DeleteFileA(sources.File("seed12.ico").c_str());
  CreateDirectoryA(library.File("Untitled_0001.ico").c_str(), nullptr);
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  EXPECT_EQ(NamesIn(library.Path()),
            (std::vector<std::string>{"Untitled_0000.ico", "Untitled_0001.ico\\", "Untitled_0002.ico"}));
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(11));
  EXPECT_EQ(FirstBlockIn("Untitled_0002.ico"), SavedSeed(15));
  EXPECT_EQ(dialog.m_done, 2);
  EXPECT_EQ(dialog.finalPos, 2);
  TickOnly({3});
  ObservedSaveDlg second;
  EXPECT_EQ(RunSaveDialog(second, "ico", 70000), IDOK);
  EXPECT_EQ(FirstBlockIn("Untitled_0000.ico"), SavedSeed(13));
  EXPECT_EQ(second.rangeHigh, 70000);
}

TEST_F(SaveWorkerTest, EveryImageOfAModuleGroupOrAnIcoFileIsSavedInOrderPngByteForByte) {
  const std::vector<std::vector<uint8_t>> moduleImages = {MakePngBlock(256, 256, 7), MakeDibBlock(32, 32, 8, 0, 9),
                                                          MakeDibBlock(16, 16, 4, 0, 5)};
  const std::vector<std::vector<uint8_t>> secondGroup = {moduleImages[2], moduleImages[0]};
  std::vector<BuiltResource> resources;
  for (uint16_t i = 0; i < 3; ++i) resources.push_back({kResourceIcon, ResourceName::Id(i + 1), 0x409, moduleImages[i]});
  resources.push_back({kResourceGroupIcon, ResourceName::Text("MAIN"), 0x409, BuildGroupIcon(moduleImages, {1, 2, 3})});
  resources.push_back({kResourceGroupIcon, ResourceName::Id(9), 0x409, BuildGroupIcon(secondGroup, {3, 1})});
  WriteBytes(sources.File("png.dll"), BuildPeModule(resources));
  Icons().LoadFromFile(sources.File("png.dll").c_str(), TRUE);
  const std::vector<std::vector<uint8_t>> icoImages = {MakeDibBlock(48, 48, 32, 0, 1), MakePngBlock(64, 64, 3)};
  AddIco("two.ico", icoImages);
  ASSERT_EQ(host.list.GetItemCount(), 3);
  ObservedSaveDlg dialog;
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDOK);
  const std::pair<const char*, std::vector<std::vector<uint8_t>>> expected[] = {
      {"Untitled_0000.ico", moduleImages}, {"Untitled_0001.ico", secondGroup}, {"Untitled_0002.ico", icoImages}};
  for (const auto& [name, images] : expected) {
    const auto blocks = IcoBlocks(ReadBytes(library.File(name)));
    ASSERT_EQ(blocks.size(), images.size()) << name;
    for (size_t i = 0; i < images.size(); ++i) EXPECT_EQ(blocks[i], WithSizeImageCleared(images[i])) << name << i;
  }
}

TEST_F(SaveWorkerTest, CancelMidRunKeepsTheFilesWrittenAndWritesNoMore) {
  std::vector<uint8_t> seeds;
  for (int i = 0; i < 150; ++i) seeds.push_back(static_cast<uint8_t>(i));
  AddIcos(seeds);
  ObservedSaveDlg dialog;
  dialog.steps.insert(dialog.steps.begin(), [&dialog] {
    if (dialog.m_progress.GetPos() == 0) return dialog.RunAgainLater();
    dialog.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(RunSaveDialog(dialog, "ico"), IDCANCEL);
  EXPECT_GT(dialog.m_done, 0);
  EXPECT_LT(dialog.m_done, 150);
  EXPECT_EQ(NamesIn(library.Path()).size(), static_cast<size_t>(dialog.m_done));
  EXPECT_EQ(dialog.finalPos, dialog.m_done);
}

}  // namespace
