#include "ui/IconTip.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/IconPixels.h"
#include "collection/SourceReader.h"

namespace {

// The multiplication sign in the program's code page, or "x" where it has none.
std::string TimesSign() {
  char sign[8] = {};
  BOOL defaulted = FALSE;
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, L"\u00D7", 1, sign, sizeof sign - 1, nullptr,
                                         &defaulted);
  return length > 0 && !defaulted ? std::string(sign, static_cast<size_t>(length)) : "x";
}

std::string ImageText(const IconImage& image, const std::string& times) {
  std::string text = std::to_string(image.width) + times + std::to_string(image.height);
  // The list and the PNG output pass over such an image.
  if (!ImageToRgba(image)) return text + " unreadable";
  if (image.kind == ImageKind::Png) return text + " PNG";
  return text + " " + std::to_string(image.colorBits) + "-bit";
}

}  // namespace

std::string DescribeImages(const IconImageSet& set) {
  std::vector<const IconImage*> images;
  for (const IconImage& image : set.images) images.push_back(&image);
  std::stable_sort(images.begin(), images.end(), [](const IconImage* a, const IconImage* b) {
    const uint64_t aPixels = uint64_t{a->width} * a->height;
    const uint64_t bPixels = uint64_t{b->width} * b->height;
    return aPixels != bPixels ? aPixels > bPixels : a->colorBits > b->colorBits;
  });
  const std::string times = TimesSign();
  std::string text;
  for (const IconImage* image : images) text += (text.empty() ? "" : ", ") + ImageText(*image, times);
  return text;
}

std::string IconTipText(const IconSource& source) {
  std::string name;
  if (!source.m_group) {
    const char* slash = std::strrchr(source.Path(), '\\');
    name = slash ? slash + 1 : source.Path();
  } else {
    name = "Icon group " + (source.m_group->isId ? std::to_string(source.m_group->id) : source.m_group->text);
  }
  SourceReader reader;
  const IconImageSetPtr set = reader.Read(SourceOf(source));
  // Its picture is the placeholder: say why.
  if (!set) return name + "\ncannot be shown: " + reader.Problem();
  return name + "\n" + DescribeImages(*set);
}
