// Copy (Ctrl+C): the selected icon's largest image that can be decoded, read
// again from its source, onto the clipboard as PNG and as a 32-bit DIB with alpha.
#include <windows.h>

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "app/MainApp.h"
#include "formats/ImagePick.h"
#include "collection/SourceReader.h"
#include "ui/MainDlg.h"

namespace {

struct GlobalFreer {
  void operator()(void* memory) const { GlobalFree(memory); }
};
using OwnedGlobal = std::unique_ptr<void, GlobalFreer>;

// Movable memory holding the bytes, as the clipboard takes it; null on failure.
OwnedGlobal GlobalCopy(const std::vector<uint8_t>& bytes) {
  OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  void* data = memory ? GlobalLock(memory.get()) : nullptr;
  if (!data) return nullptr;
  std::memcpy(data, bytes.data(), bytes.size());
  GlobalUnlock(memory.get());
  return memory;
}

// A packed DIB: a 32-bit BI_RGB header, then the rows bottom first, each
// pixel blue, green, red and alpha.
std::vector<uint8_t> PackedDib(const RgbaImage& image) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = static_cast<LONG>(image.width);
  header.biHeight = static_cast<LONG>(image.height);
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  header.biSizeImage = image.width * image.height * 4;
  std::vector<uint8_t> dib(sizeof header + header.biSizeImage);
  std::memcpy(dib.data(), &header, sizeof header);
  uint8_t* out = dib.data() + sizeof header;
  for (uint32_t y = image.height; y-- > 0;) {
    const uint8_t* in = image.pixels.data() + size_t{y} * image.width * 4;
    for (uint32_t x = 0; x < image.width; ++x, in += 4, out += 4) {
      out[0] = in[2];
      out[1] = in[1];
      out[2] = in[0];
      out[3] = in[3];
    }
  }
  return dib;
}

class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : m_open(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (m_open) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return m_open; }

 private:
  const bool m_open;
};

// Both formats or none: when either cannot be made the clipboard keeps what it
// held, and when the system takes only one it is emptied again.
bool CopyToClipboard(HWND owner, const IconImageSet& set) {
  ImageDecoder decoder(set);
  const auto picked = decoder.First(PickOrder(ShapesOf(set), PickRule::Largest));
  if (!picked) return false;
  const std::vector<uint8_t> png = PngOfPicked(set.images[picked->index], *picked->pixels);
  if (png.empty()) return false;
  OwnedGlobal pngMemory = GlobalCopy(png);
  OwnedGlobal dibMemory = GlobalCopy(PackedDib(*picked->pixels));
  if (!pngMemory || !dibMemory) return false;
  const OpenedClipboard clipboard(owner);
  if (!clipboard.IsOpen() || !EmptyClipboard()) return false;
  // What the clipboard took is its own.
  const bool pngTaken = SetClipboardData(RegisterClipboardFormatA("PNG"), pngMemory.get()) != nullptr;
  if (pngTaken) pngMemory.release();
  const bool dibTaken = pngTaken && SetClipboardData(CF_DIB, dibMemory.get()) != nullptr;
  if (dibTaken) dibMemory.release();
  if (!dibTaken) EmptyClipboard();
  return dibTaken;
}

}  // namespace

void CMainDlg::OnCopyIcon() {
  // The key keeps its meaning for text selected in the path box.
  if (::GetFocus() == m_pathEdit.m_hWnd) {
    m_pathEdit.SendMessage(WM_COPY);
    return;
  }
  const int selected =
      static_cast<int>(m_iconList.SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  const CIconCollection& icons = TheApp().m_icons;
  if (selected < 0 || selected >= icons.GetCount()) return;
  SourceReader reader;
  bool copied = false;
  try {
    const IconImageSetPtr set = reader.Read(SourceOf(*icons.GetSource(selected)));
    // The source is gone or changed since it was listed, or no image of it decodes.
    copied = set && CopyToClipboard(m_hWnd, *set);
  } catch (const std::bad_alloc&) {
  }
  if (!copied) MessageBeep(MB_ICONWARNING);
}
