// Ctrl+C in the real window: the selected icon's largest image on the
// clipboard as PNG (a PNG image's own bytes) and as a 32-bit DIB with alpha;
// with nothing selected the clipboard keeps what it held.

#include "ProductProcess.h"

#include <commctrl.h>

#include "formats/IconPixels.h"
#include "formats/PngWriter.h"
#include "support/IconBuilder.h"

namespace {

constexpr uint32_t kSide = 64;
constexpr size_t kPixelBytes = kSide * kSide * 4;

// The pixels of a 32-bit DIB block (rows bottom first, blue first) as a
// picture: rows top first, red first.
RgbaImage RgbaOf(const Bytes& dib) {
  RgbaImage image{kSide, kSide, {}};
  for (size_t row = kSide; row-- > 0;)
    for (size_t at = 40 + row * kSide * 4; at < 40 + (row + 1) * kSide * 4; at += 4)
      image.pixels.insert(image.pixels.end(), {dib[at + 2], dib[at + 1], dib[at], dib[at + 3]});
  return image;
}

void PutText(const char* text) {
  const size_t size = lstrlenA(text) + 1;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  lstrcpyA(static_cast<char*>(GlobalLock(memory)), text);
  GlobalUnlock(memory);
  ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && SetClipboardData(CF_TEXT, memory));
  CloseClipboard();
}

// What the clipboard holds in that format; empty when nothing.
Bytes ClipboardBytes(UINT format) {
  Bytes bytes;
  if (!OpenClipboard(nullptr)) return bytes;
  HANDLE memory = GetClipboardData(format);
  if (const auto* data = memory ? static_cast<const uint8_t*>(GlobalLock(memory)) : nullptr) {
    bytes.assign(data, data + GlobalSize(memory));
    GlobalUnlock(memory);
  }
  CloseClipboard();
  return bytes;
}

using CopyIconEndToEndTest = ProductTest;

TEST_F(CopyIconEndToEndTest, CtrlCCopiesTheSelectedIconsLargestImageAsPngAndDibAndNothingWithoutASelection) {
  // The largest: 64 x 64, one as a PNG of these pixels, one as a 32-bit DIB
  // beside an 8-bit one of the same size.
  const Bytes large = MakeDibBlock(kSide, kSide, 32, 0, 5);
  const Bytes png = EncodePng(RgbaOf(large));
  const std::string pngIcon = folder.File("png.ico"), dibIcon = folder.File("dib.ico");
  ASSERT_TRUE(WriteBytes(pngIcon, BuildIcoFile({MakeDibBlock(32, 32, 32), png, MakeDibBlock(48, 48, 8)})));
  ASSERT_TRUE(WriteBytes(dibIcon, BuildIcoFile({MakeDibBlock(32, 32, 32), MakeDibBlock(kSide, kSide, 8), large})));
  Start("\"" + pngIcon + "\" \"" + dibIcon + "\"");
  ASSERT_TRUE(WaitUntil([&] { return ItemCount() == 2; }, kDialogTimeout));

  const HWND list = GetDlgItem(window, IDC_ICON_LIST);
  PutText("kept");
  ASSERT_TRUE(BringToFront(window) && TabTo(window, IDC_ICON_LIST));
  PressKey('C', true);
  PressKey(VK_HOME);
  // Keys are handled in turn: once Home has selected, Ctrl+C has been handled.
  ASSERT_TRUE(WaitUntil([&] { return Ask(list, LVM_GETITEMSTATE, 0, LVIS_SELECTED) != 0; }, kDialogTimeout));
  EXPECT_EQ(ClipboardBytes(CF_TEXT), Bytes({'k', 'e', 'p', 't', 0}));

  const UINT pngFormat = RegisterClipboardFormatA("PNG");
  for (const int item : {0, 1}) {
    if (item == 1) PressKey(VK_END);
    ASSERT_TRUE(WaitUntil([&] { return Ask(list, LVM_GETITEMSTATE, item, LVIS_SELECTED) != 0; }, kDialogTimeout));
    PutText("gone");
    PressKey('C', true);
    ASSERT_TRUE(WaitUntil([&] { return !ClipboardBytes(pngFormat).empty(); }, kDialogTimeout)) << "item " << item;
    const Bytes copied = ClipboardBytes(pngFormat);
    const auto decoded = DecodePng(copied.data(), copied.size());
    ASSERT_TRUE(decoded) << "item " << item;
    EXPECT_EQ(decoded->pixels, RgbaOf(large).pixels) << "item " << item;
    // A PNG image's own bytes.
    EXPECT_TRUE(item != 0 || copied == png);
    const Bytes dib = ClipboardBytes(CF_DIB);
    ASSERT_GE(dib.size(), 40 + kPixelBytes);
    // Header size, width, height (positive: rows bottom first), planes, bits, no compression.
    Bytes header;
    for (const uint32_t field : {40u, kSide, kSide}) AppendU32(header, field);
    for (const uint32_t field : {1u, 32u}) AppendU16(header, field);
    AppendU32(header, BI_RGB);
    EXPECT_EQ(Bytes(dib.begin(), dib.begin() + 20), header) << "item " << item;
    EXPECT_EQ(Bytes(dib.begin() + 40, dib.begin() + 40 + kPixelBytes),
              Bytes(large.begin() + 40, large.begin() + 40 + kPixelBytes))
        << "item " << item;
  }
}

}  // namespace
