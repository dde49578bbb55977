// An icon one of whose images cannot be drawn is still listed by the real
// program, from the image that can.

#include "ProductProcess.h"

#include "support/IconBuilder.h"

namespace {

using BrokenImageEndToEndTest = ProductTest;

TEST_F(BrokenImageEndToEndTest, AnIcoWhose48x48ImageCannotBeDrawnIsListedFromIts16x16One) {
  Bytes broken = MakeDibBlock(48, 48, 32);
  PutU32At(broken, 16, 3);  // bit fields, with no room for their masks
  const std::string ico = folder.File("broken.ico");
  ASSERT_TRUE(WriteBytes(ico, BuildIcoFile({MakeDibBlock(16, 16, 8), broken})));
  Start("\"" + ico + "\"");
  EXPECT_TRUE(WaitUntil([&] { return ItemCount() == 1 && MainWindowFree(); }, kDialogTimeout)) << ItemCount();
}

}  // namespace
