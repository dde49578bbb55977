// The list's picture worker, with a window that never takes what it makes.

#include "ProgramTestSupport.h"
#include "collection/PictureMaker.h"
#include "support/IconBuilder.h"

namespace {

// 200 pictures of 256 pixels (256 KB each) asked of a window too busy to take
// them: the worker stops at about 8 MB of them, and goes on once they are taken.
TEST(PictureMakerTest, StopsMakingWhileItsPicturesWaitUntaken) {
  TempFolder folder;
  const std::string ico = folder.File("large.ico");
  ASSERT_TRUE(WriteBytes(ico, BuildIcoFile({MakeDibBlock(256, 256, 32)})));
  CWnd window;
  ASSERT_TRUE(window.CreateEx(0, "STATIC", "untaken", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  PictureMaker maker(window.m_hWnd, WM_APP + 9);
  maker.Restart(1, 256, 1000);
  const auto path = std::make_shared<const std::string>(ico);
  std::vector<PictureRequest> requests;
  for (int index = 0; index < 200; ++index) requests.push_back(PictureRequest{index, 1, path, std::nullopt});
  maker.Ask(requests);
  // Far longer than making all 200 takes.
  Sleep(1500);
  const std::vector<MadePicture> first = maker.Take();
  EXPECT_GE(first.size(), 32u);
  EXPECT_LE(first.size(), 33u);
  for (const MadePicture& made : first) {
    ASSERT_TRUE(made.picture);
    EXPECT_EQ(made.picture->width, 256u);
  }
  Sleep(1500);
  EXPECT_GE(maker.Take().size(), 32u);
}

}  // namespace
