// The list at scale, as the main window makes it: n icons of real modules
// appended in the search's batches to a visible owner-data list whose
// pictures are s pixels, then ten jumps through the list, each waiting until
// the screen's pictures are drawn.
//   memory N S: the committed private memory the process gained (after the
//     jumps, so the picture cache is full), and whether the last icon's
//     picture was drawn.
//   fill N S: each jump's time until the screen is filled, against reading and
//     decoding the same icons' images alone, timed in the same run.
// Used by bench/memory-rate and bench/fill-rate; runs under Wine.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/MainApp.h"
#include "collection/IconCollection.h"
#include "collection/IconPictures.h"
#include "formats/IconFileReader.h"
#include "formats/ModuleResources.h"
#include "formats/PngWriter.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"
#include "ui/IconListCtrl.h"

CMainApp theApp;

namespace {

// As the search hands them over.
constexpr size_t kBatch = 384;
constexpr int kGroupsPerModule = 100;
constexpr int kModules = 10;
constexpr int kJumps = 10;
constexpr int kWaitMilliseconds = 60000;

using Clock = std::chrono::steady_clock;

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

// As today's programs carry them: a 256-pixel PNG besides the DIBs.
std::vector<uint8_t> BuildModule(int module) {
  return BuildProgramModule(kGroupsPerModule, module * 31, [](uint8_t seed) {
    RgbaImage large{256, 256, std::vector<uint8_t>(256 * 256 * 4)};
    for (size_t i = 0; i < large.pixels.size(); ++i)
      large.pixels[i] = i % 4 == 3 ? 255 : static_cast<uint8_t>((i / 4 % 256) ^ (i / 1024) ^ seed);
    return EncodePng(large);
  });
}

std::string ModulePath(const std::string& folder, int icon) {
  return folder + "\\module" + std::to_string(icon / kGroupsPerModule % kModules) + ".dll";
}

class ListHost : public CWnd {
 public:
  explicit ListHost(int side) {
    CreateEx(0, "STATIC", "List benchmark", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1240, 820), nullptr, 0);
    list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_OWNERDATA, CRect(0, 0, 1220, 800), this,
                  1000);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.SetPictureSides(side, 16);
  }
  CIconListCtrl list;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The items whose box meets the list's client area, near `around`.
std::vector<int> ItemsInView(CIconListCtrl& list, int around, int count) {
  RECT client{};
  list.GetClientRect(&client);
  std::vector<int> items;
  for (int i = std::max(0, around - 400); i < std::min(count, around + 400); ++i) {
    RECT box{};
    box.left = LVIR_BOUNDS;
    if (!list.SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&box))) continue;
    RECT meet{};
    if (IntersectRect(&meet, &box, &client)) items.push_back(i);
  }
  return items;
}

// Waits until every item in view shows its picture; false on time-out.
bool DrawnAll(CIconListCtrl& list, std::vector<int> items) {
  const auto until = Clock::now() + std::chrono::milliseconds(kWaitMilliseconds);
  for (;;) {
    list.UpdateWindow();
    items.erase(std::remove_if(items.begin(), items.end(), [&](int item) { return list.HasPicture(item); }),
                items.end());
    if (items.empty()) return true;
    if (Clock::now() > until) return false;
    const auto next = Clock::now() + std::chrono::milliseconds(1);
    while (Clock::now() < next) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
      Pump();
    }
  }
}

// Reading and decoding the items' pictures alone, one opening of a module for
// its consecutive icons, as the list's worker reads them.
double DecodeSeconds(const std::string& folder, const std::vector<int>& items, int side) {
  const auto start = Clock::now();
  std::unique_ptr<IconFileReader> reader;
  std::string open;
  size_t made = 0;
  for (int item : items) {
    const std::string path = ModulePath(folder, item);
    if (!reader || open != path) {
      reader = std::make_unique<IconFileReader>(path);
      open = path;
    }
    const auto group = reader->ReadGroup(ResourceName::Id(static_cast<uint16_t>(item % kGroupsPerModule + 1)));
    if (group && PictureOfSet(*group->set, side)) ++made;
  }
  if (made != items.size()) std::printf("decoded only %zu of %zu\n", made, items.size());
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  const int icons = argc > 2 ? std::atoi(argv[2]) : 100000;
  const int side = argc > 3 ? std::atoi(argv[3]) : 32;
  if ((mode != "memory" && mode != "fill") || icons < 1000 || icons > 2000000 || side < 16 || side > 512) {
    std::fprintf(stderr, "usage: vantrel_memory_bench memory|fill ICONS SIDE  (1000 to 2000000 icons)\n");
    return 2;
  }
  InitCommonControls();
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "vantrel-list-bench";
  CreateDirectoryA(folder.c_str(), nullptr);
  for (int module = 0; module < kModules; ++module) {
    const std::vector<uint8_t> bytes = BuildModule(module);
    std::ofstream(ModulePath(folder, module * kGroupsPerModule), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  ListHost host(side);
  CIconCollection collection;
  collection.SetView(&host.list);
  host.list.ShowIcons(&collection);
  Pump();
  const double before = CommittedBytes();
  for (int done = 0; done < icons;) {
    std::vector<FoundIcon> batch;
    for (size_t i = 0; i < kBatch && done < icons; ++i, ++done)
      batch.push_back(FoundIcon{ModulePath(folder, done), ResourceName::Id(static_cast<uint16_t>(done % 100 + 1))});
    collection.AppendFound(batch, TRUE);
  }
  Pump();
  if (collection.GetCount() != icons) std::printf("only %d of %d icons were listed\n", collection.GetCount(), icons);

  double fillSeconds = 0;
  double decodeSeconds = 0;
  double paintSeconds = 0;
  bool everyJumpDrawn = true;
  // Tenths of the list, the end first: each jump lands far from the last.
  const int tenths[kJumps] = {10, 5, 1, 9, 3, 7, 2, 8, 4, 6};
  for (int tenth : tenths) {
    const int place = static_cast<int>(std::min<long long>(icons - 1, static_cast<long long>(icons) * tenth / 10));
    const auto start = Clock::now();
    host.list.SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(place), FALSE);
    host.list.UpdateWindow();
    const auto scrolled = Clock::now();
    const std::vector<int> inView = ItemsInView(host.list, place, icons);
    const auto found = Clock::now();
    const bool drawn = DrawnAll(host.list, inView);
    if (getenv("VANTREL_PROBE"))
      std::printf("scroll+paint %.1f ms, find %.1f ms, wait %.1f ms, %zu items\n",
                  std::chrono::duration<double>(scrolled - start).count() * 1000,
                  std::chrono::duration<double>(found - scrolled).count() * 1000,
                  std::chrono::duration<double>(Clock::now() - found).count() * 1000, inView.size());
    fillSeconds += std::chrono::duration<double>(Clock::now() - start).count();
    everyJumpDrawn = everyJumpDrawn && drawn && !inView.empty();
    // What any fill costs at least: the list painting the filled screen once.
    const auto repaint = Clock::now();
    RedrawWindow(host.list.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    paintSeconds += std::chrono::duration<double>(Clock::now() - repaint).count();
    if (mode == "fill") decodeSeconds += DecodeSeconds(folder, inView, side);
  }
  if (mode == "memory") {
    const double gained = CommittedBytes() - before;
    std::printf("%d icons at %d pixels: %.0f bytes gained, %.1f an icon; last icon and every jump drawn: %s\n", icons,
                side, gained, gained / icons, everyJumpDrawn ? "yes" : "NO");
  } else {
    std::printf("%d icons at %d pixels: screens filled in %.3f s, their images read and decoded alone in %.3f s; "
                "ratio fill / decode: %.2f%s; one paint of each filled screen alone: %.3f s, ratio paint / decode: "
                "%.2f\n",
                icons, side, fillSeconds, decodeSeconds, fillSeconds / decodeSeconds,
                everyJumpDrawn ? "" : " (a jump was NOT drawn)", paintSeconds, paintSeconds / decodeSeconds);
  }
  collection.EmptyWithViews(nullptr);
  return everyJumpDrawn ? 0 : 1;
}
