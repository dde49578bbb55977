// The table of odd images through vantrel-extract: each beside a sound 16x16
// image in an .ico file, `png` and `thumbnail` write the odd image when it
// decodes and the 16x16 one when it does not, and never a broken file.

#include <sys/wait.h>

#include <cstdlib>

#include "formats/IconPixels.h"
#include "formats/OddImages.h"

namespace {

int RunExtract(const std::string& arguments) {
  const int status = std::system((VANTREL_EXTRACT " " + arguments + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

uint32_t PngWidth(const std::string& path) {
  const Bytes png = ReadBytes(path);
  const auto image = DecodePng(png.data(), png.size());
  return image ? image->width : 0;
}

TEST(OddImagesCommand, PngAndThumbnailWriteTheOddImageOrPassItOver) {
  const TempFolder folder;
  int n = 0;
  for (const OddImage& odd : OddImages()) {
    SCOPED_TRACE(odd.what);
    const std::string name = "odd" + std::to_string(n++), ico = folder.File(name + ".ico");
    ASSERT_TRUE(WriteBytes(ico, BuildIcoFile({MakeDibBlock(16, 16, 8), odd.block})));
    const uint32_t expected = odd.bottomLeft ? 32 : 16;
    EXPECT_EQ(RunExtract("png -o " + folder.File("out") + " " + ico), 0);
    EXPECT_EQ(PngWidth(folder.File("out/" + name + ".png")), expected);
    // The odd image is the smallest at least 24; scaled down when it decodes.
    EXPECT_EQ(RunExtract("thumbnail 24 " + ico + " " + folder.File(name + "-24.png")), 0);
    EXPECT_EQ(PngWidth(folder.File(name + "-24.png")), odd.bottomLeft ? 24u : 16u);
  }
}

TEST(OddImagesCommand, PngAndThumbnailTakeSizesFrom1To4096) {
  const TempFolder folder;
  const std::string ico = folder.File("a.ico");
  ASSERT_TRUE(WriteBytes(ico, BuildIcoFile({MakeDibBlock(16, 16, 8)})));
  EXPECT_EQ(RunExtract("png --size 4096 -o " + folder.File("out") + " " + ico), 0);
  EXPECT_EQ(RunExtract("png --size 4097 -o " + folder.File("out") + " " + ico), 2);
  EXPECT_EQ(RunExtract("thumbnail 4096 " + ico + " " + folder.File("t.png")), 0);
  EXPECT_EQ(RunExtract("thumbnail 4097 " + ico + " " + folder.File("u.png")), 2);
  EXPECT_EQ(RunExtract("thumbnail 0 " + ico + " " + folder.File("v.png")), 2);
}

}  // namespace
