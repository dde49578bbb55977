// What one listed icon costs in memory: n icons appended to the collection
// in the search's batches, with image lists and a list view made as the main
// window makes them, and the process's committed private memory measured
// before and after; or only some parts (the records, the two image lists,
// the list view's items), to see where the memory goes. The figure is given
// per icon and as a ratio against the bytes of the icon's two pictures and
// their masks.
// Used by bench/memory-rate; runs under Wine.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainApp.h"
#include "collection/IconCollection.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"

CMainApp theApp;

namespace {

// As the search hands them over.
constexpr size_t kBatch = 384;
constexpr int kImageListGrowth = 1024;
// An icon's two pictures at 32 bits a pixel and their one-bit masks.
constexpr double kPictureBytes = (kLargeIconSize * kLargeIconSize + kSmallIconSize * kSmallIconSize) * (4 + 1.0 / 8);

// Committed private memory of the whole process, walked region by region:
// it counts the heap, the image lists' bitmaps and the list view alike.
double CommittedBytes() {
  double total = 0;
  MEMORY_BASIC_INFORMATION region{};
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += static_cast<double>(region.RegionSize);
    const char* next = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    if (next <= at) break;
    at = next;
  }
  return total;
}

RgbaImage Picture(int side, int seed) {
  RgbaImage image{static_cast<uint32_t>(side), static_cast<uint32_t>(side),
                  std::vector<uint8_t>(static_cast<size_t>(side) * side * 4)};
  for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<uint8_t>(i * 7 + seed);
  return image;
}

class ListHost : public CWnd {
 public:
  ListHost() {
    CreateEx(0, "STATIC", "Memory benchmark", WS_POPUP | WS_VISIBLE, CRect(0, 0, 620, 420), nullptr, 0);
    // Owner-data, as the window's: the items' pictures and ticks are the collection's.
    list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_OWNERDATA, CRect(0, 0, 600, 400), this,
                  1000);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK);
  }
  CListCtrl list;
};

struct Parts {
  bool lists;
  bool view;
};

// Bytes the process gained for n icons appended with the given parts.
double Appended(int icons, Parts parts) {
  ListHost host;
  CImageList large, small;
  large.Create(kLargeIconSize, kLargeIconSize, ILC_COLOR32 | ILC_MASK, 8, kImageListGrowth);
  small.Create(kSmallIconSize, kSmallIconSize, ILC_COLOR32 | ILC_MASK, 8, kImageListGrowth);
  host.list.SetImageList(&large, LVSIL_NORMAL);
  host.list.SetImageList(&small, LVSIL_SMALL);
  CIconCollection collection;
  if (parts.lists) collection.SetImageLists(&large, &small);
  if (parts.view) collection.SetListView(&host.list);
  const IconPictures pictures{Picture(kLargeIconSize, 1), Picture(kSmallIconSize, 2)};
  // Paths as a deep tree gives them: a hundred icons per module.
  const std::string folder = "C:\\Program Files\\Some Vendor\\Some Product\\bin\\modules\\";
  const double before = CommittedBytes();
  for (int done = 0; done < icons;) {
    std::vector<FoundIcon> batch;
    for (size_t i = 0; i < kBatch && done < icons; ++i, ++done)
      batch.push_back(FoundIcon{pictures, folder + "module" + std::to_string(done / 100) + ".dll",
                                ResourceName::Id(static_cast<uint16_t>(done % 100 + 1))});
    collection.AppendFound(batch, TRUE);
  }
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  const double gained = CommittedBytes() - before;
  if (collection.GetCount() != icons) std::printf("only %d of %d icons were listed\n", collection.GetCount(), icons);
  collection.EmptyWithViews(nullptr);
  return gained;
}

}  // namespace

int main(int argc, char** argv) {
  // Each part in a process of its own: memory freed by one run would be
  // reused by the next and hide what it costs.
  const int icons = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int part = argc > 2 ? std::atoi(argv[2]) : 3;
  const struct {
    const char* name;
    Parts parts;
  } runs[] = {{"records alone", {false, false}},
              {"records and image lists", {true, false}},
              {"records and list items", {false, true}},
              {"as the window lists them", {true, true}}};
  if (icons < 1000 || icons > 400000 || part < 0 || part > 3) {
    std::fprintf(stderr, "usage: vantrel_memory_bench [ICONS [PART]]  (1000 to 400000 icons, part 0 to 3)\n");
    return 2;
  }
  InitCommonControls();
  const double gained = Appended(icons, runs[part].parts);
  std::printf("%-26s %6.0f bytes an icon, %.2f x its pictures (%d icons)\n", runs[part].name, gained / icons,
              gained / icons / kPictureBytes, icons);
  return 0;
}
