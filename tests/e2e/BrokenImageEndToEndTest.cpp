// An icon one of whose images cannot be drawn is still listed by the real
// program, from the image that can; a module cut short lists what it still
// holds and names the damage.

#include "ProductProcess.h"

#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

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

TEST_F(BrokenImageEndToEndTest, AddFileOfAModuleCutShortListsWhatItHoldsAndNamesTheDamage) {
  const Bytes whole = TwoImagePe();
  const std::string cut = folder.File("cut.dll");
  ASSERT_TRUE(WriteBytes(cut, Bytes(whole.begin(), whole.end() - 1000)));
  Start();
  ClickButton(window, IDC_ADD_FILE);
  const HWND dialog = WaitForDialog(kFileNameBox);
  ASSERT_NE(dialog, nullptr) << "no open dialog";
  TypeFileNameAndEnter(dialog, cut);
  HWND box = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (box = WaitForDialog(IDOK, 100)) && !GetDlgItem(box, kFileNameBox); }, kDialogTimeout));
  EXPECT_EQ(BoxText(box), cut + "\nis damaged: cut short at " + std::to_string(whole.size() - 1000) + " of " +
                              std::to_string(whole.size()) + " bytes.\nThe icons that could be read are in the list.");
  ClickButton(box, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return ItemCount() == 1 && MainWindowFree(); }, kDialogTimeout)) << ItemCount();
}

}  // namespace
