// The tooltip's text over a listed icon, read from its source when asked.

#include "ProgramTestSupport.h"
#include "formats/PngWriter.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "ui/IconTip.h"

namespace {

TEST(IconTipTest, NamesTheGroupOrFileThenEveryImageLargestFirst) {
  TempFolder folder;
  const std::vector<std::vector<uint8_t>> images = {MakeDibBlock(16, 16, 4), MakeDibBlock(32, 32, 8),
                                                    EncodePng({256, 256, std::vector<uint8_t>(256 * 256 * 4)}),
                                                    MakeDibBlock(32, 32, 32), MakeDibBlock(48, 48, 32)};
  const std::string ico = folder.File("five.ico");
  std::vector<std::vector<uint8_t>> withCut = images;
  withCut.push_back(Bytes(images[2].begin(), images[2].begin() + 60));  // a PNG cut short
  ASSERT_TRUE(WriteBytes(ico, BuildIcoFile(withCut)));
  std::vector<BuiltResource> resources = {
      {kResourceGroupIcon, ResourceName::Text("MAIN"), 0x409, BuildGroupIcon({images[4], images[0]}, {1, 2})},
      {kResourceIcon, ResourceName::Id(1), 0x409, images[4]},
      {kResourceIcon, ResourceName::Id(2), 0x409, images[0]},
      // Group 0 is a group, not "no group".
      {kResourceGroupIcon, ResourceName::Id(0), 0x409, BuildGroupIcon({images[1]}, {3})},
      {kResourceIcon, ResourceName::Id(3), 0x409, images[1]}};
  const std::string module = folder.File("two.dll");
  ASSERT_TRUE(WriteBytes(module, BuildPeModule(resources)));
  IconSource fromIco, fromGroup, fromId, fromZero;
  fromIco.SetPath(ico.c_str());
  fromGroup.SetPath(module.c_str());
  fromGroup.m_group = ResourceName::Text("MAIN");
  fromId.SetPath(module.c_str());
  fromId.m_group = ResourceName::Id(7);
  fromZero.SetPath(module.c_str());
  fromZero.m_group = ResourceName::Id(0);
  // Wine's code page here has the multiplication sign.
  EXPECT_EQ(IconTipText(fromIco), "five.ico\n256\xD7" "256 PNG, 256\xD7" "256 unreadable, 48\xD7" "48 32-bit, 32\xD7" "32 32-bit, 32\xD7" "32 8-bit, 16\xD7" "16 4-bit");
  EXPECT_EQ(IconTipText(fromGroup), "Icon group MAIN\n48\xD7" "48 32-bit, 16\xD7" "16 4-bit");
  EXPECT_EQ(IconTipText(fromId), "Icon group 7\ncannot be shown: the file no longer holds this icon");
  EXPECT_EQ(IconTipText(fromZero), "Icon group 0\n32\xD7" "32 8-bit");
}

}  // namespace
