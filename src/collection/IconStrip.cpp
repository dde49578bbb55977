#include "collection/IconStrip.h"

#include <algorithm>
#include <memory>
#include <type_traits>

namespace {

// Icons per strip: a strip stays a modest bitmap however many icons come.
const size_t kStripIcons = 64;

struct DcDeleter {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using OwnedDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { ::DeleteObject(bitmap); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
  ~Selection() { ::SelectObject(m_dc, m_previous); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC m_dc;
  HGDIOBJ m_previous;
};

OwnedBitmap ColourStrip(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  // A new section is all zero: black wherever an icon leaves its colour out.
  return OwnedBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

bool AppendStrip(HIMAGELIST list, const HICON* icons, int count, int width, int height) {
  const OwnedDc colourDc(::CreateCompatibleDC(nullptr));
  const OwnedDc maskDc(::CreateCompatibleDC(nullptr));
  const OwnedBitmap colour = ColourStrip(width * count, height);
  const OwnedBitmap mask(::CreateBitmap(width * count, height, 1, 1, nullptr));
  if (!colourDc || !maskDc || !colour || !mask) return false;
  {
    const Selection colourSelected(colourDc.get(), colour.get());
    const Selection maskSelected(maskDc.get(), mask.get());
    ::PatBlt(maskDc.get(), 0, 0, width * count, height, WHITENESS);
    for (int i = 0; i < count; ++i) {
      ::DrawIconEx(maskDc.get(), i * width, 0, icons[i], width, height, 0, nullptr, DI_MASK);
      ::DrawIconEx(colourDc.get(), i * width, 0, icons[i], width, height, 0, nullptr, DI_IMAGE);
    }
  }
  return ImageList_Add(list, colour.get(), mask.get()) >= 0;
}

}  // namespace

void AppendIconStrip(HIMAGELIST list, const std::vector<HICON>& icons) {
  int width = 0;
  int height = 0;
  if (!list || !ImageList_GetIconSize(list, &width, &height)) return;
  for (size_t first = 0; first < icons.size(); first += kStripIcons) {
    const size_t count = std::min(kStripIcons, icons.size() - first);
    if (AppendStrip(list, icons.data() + first, static_cast<int>(count), width, height)) continue;
    // Without a strip, one by one: image i must stay icon i.
    for (size_t i = first; i < first + count; ++i) ImageList_ReplaceIcon(list, -1, icons[i]);
  }
}
