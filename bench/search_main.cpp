// Times Add Folder through the real program: a tree of modules with n icons
// and one with 2n, each searched by a fresh Vantrel.exe driven as a user
// drives it (Ctrl+D, the folder picked in the system's browser, OK), from
// the click on OK to the search dialog's close. Meanwhile the main window is
// asked every 100 ms to answer an empty message, the longest wait reported.
// The sizes take turns for some rounds; last, a Cancel at half of the 2n
// tree, and the ratio of the best times.
// Used by bench/search-rate; runs under Wine.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "ProductProcess.h"
#include "formats/ModuleResources.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

namespace {

constexpr int kGroupsPerModule = 100;
constexpr int kModulesPerFolder = 10;
constexpr DWORD kStartTimeout = 30000;
constexpr DWORD kSearchTimeout = 30 * 60 * 1000;

void WriteBytesTo(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// The built Vantrel.exe, found relative to this program.
std::string ProgramPath() {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder(self);
  folder.erase(folder.rfind('\\') + 1);
  char full[MAX_PATH] = {};
  GetFullPathNameA((folder + VANTREL_EXE_FROM_TESTS).c_str(), MAX_PATH, full, nullptr);
  return full;
}

// Folders of ten modules and one text file each; returns the icon count.
// Ten different modules are enough: each file is loaded on its own.
int BuildTree(const std::string& root, int icons) {
  std::vector<std::vector<uint8_t>> kinds;
  for (int kind = 0; kind < kModulesPerFolder; ++kind) kinds.push_back(BuildProgramModule(kGroupsPerModule, kind * 7));
  const int modules = (icons + kGroupsPerModule - 1) / kGroupsPerModule;
  for (int i = 0; i < modules; ++i) {
    const std::string folder = root + "\\d" + std::to_string(100 + i / kModulesPerFolder);
    if (i % kModulesPerFolder == 0) {
      CreateDirectoryA(folder.c_str(), nullptr);
      WriteBytesTo(folder + "\\readme.txt", {'n', 'o', 't', 'e'});
    }
    WriteBytesTo(folder + "\\m" + std::to_string(1000 + i) + ".dll", kinds[i % kModulesPerFolder]);
  }
  return modules * kGroupsPerModule;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct RunResult {
  bool ok = false;
  std::string error;
  int icons = 0;
  int listed = 0;
  double seconds = 0;
  DWORD longestAnswerMs = 0;
  DWORD cancelAnsweredMs = 0;
  // Seconds from OK to each tenth of the icons shown in the dialog.
  std::vector<double> tenths;
};

// One fresh copy of the program searches the tree; with cancelAtIcons, Cancel
// is pressed once the dialog shows that many icons.
RunResult SearchWithProgram(const std::string& tree, int icons, int cancelAtIcons) {
  RunResult result;
  result.icons = icons;
  TempFolder folder;
  const std::string exePath = folder.File("VantrelBench" + std::to_string(GetCurrentProcessId()) + ".exe");
  if (!CopyFileA(ProgramPath().c_str(), exePath.c_str(), FALSE)) {
    result.error = "could not copy " + ProgramPath();
    return result;
  }
  ProductProcess product;
  if (!product.Start(exePath)) {
    result.error = "could not start the program";
    return result;
  }
  const HWND window = WaitForMainWindow(product.Id(), kStartTimeout);
  if (!window) {
    result.error = "no main window";
    return result;
  }
  BringToFront(window);
  PressKey('D', true);
  const HWND browser = WaitForDialogOf(product.Id(), window, 0, 10000);
  if (!browser) {
    result.error = "no folder browser after Ctrl+D";
    return result;
  }
  if (!PickFolderInBrowser(browser, tree)) {
    result.error = "the browser never showed " + tree;
    return result;
  }

  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  ClickButton(browser, IDOK);
  const HWND dialog = WaitForDialogOf(product.Id(), window, IDC_CURRENT_FILE, 10000);
  if (!dialog) {
    result.error = "no search dialog";
    return result;
  }
  DWORD lastProbe = GetTickCount();
  DWORD cancelledAt = 0;
  while (IsWindow(dialog) && IsWindowVisible(dialog)) {
    if (GetTickCount() - lastProbe >= 100) {
      lastProbe = GetTickCount();
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
      result.longestAnswerMs = std::max(result.longestAnswerMs, GetTickCount() - lastProbe);
    }
    const int shown = std::atoi(WindowText(GetDlgItem(dialog, IDC_ICON_COUNT)).c_str());
    while (result.tenths.size() < 10 && shown >= icons * static_cast<int>(result.tenths.size() + 1) / 10) {
      QueryPerformanceCounter(&end);
      result.tenths.push_back(Seconds(start, end));
    }
    if (cancelAtIcons > 0 && !cancelledAt && shown >= cancelAtIcons) {
      ClickButton(dialog, IDCANCEL);
      cancelledAt = GetTickCount();
    }
    QueryPerformanceCounter(&end);
    if (Seconds(start, end) * 1000 > kSearchTimeout) {
      result.error = "the search did not end";
      return result;
    }
    Sleep(2);
  }
  QueryPerformanceCounter(&end);
  if (cancelledAt) result.cancelAnsweredMs = GetTickCount() - cancelledAt;
  result.seconds = Seconds(start, end);
  result.listed = static_cast<int>(Ask(GetDlgItem(window, IDC_ICON_LIST), LVM_GETITEMCOUNT));
  // The last count may be shown only as the dialog closes: the end of a whole search is its last tenth.
  if (!cancelAtIcons && result.tenths.size() == 9 && result.listed >= icons) result.tenths.push_back(result.seconds);
  if (cancelAtIcons > 0) {
    // A search that ended before Cancel could be pressed measured no Cancel.
    result.ok = cancelledAt != 0;
    if (!result.ok) result.error = "the search ended before Cancel was pressed";
    return result;
  }
  result.ok = result.listed == icons;
  if (!result.ok) result.error = "the list holds " + std::to_string(result.listed) + " icons";
  return result;
}

// The picture the system picks for the large size from each icon group of
// the modules in the tree, as bytes, in the order the search meets them.
std::vector<std::vector<uint8_t>> ChosenImages(const std::string& root) {
  std::vector<std::vector<uint8_t>> images;
  WIN32_FIND_DATAA folder;
  const HANDLE folders = FindFirstFileA((root + "\\d*").c_str(), &folder);
  if (folders == INVALID_HANDLE_VALUE) return images;
  do {
    WIN32_FIND_DATAA file;
    const std::string path = root + "\\" + folder.cFileName;
    const HANDLE files = FindFirstFileA((path + "\\*.dll").c_str(), &file);
    if (files == INVALID_HANDLE_VALUE) continue;
    do {
      const auto module = ModuleResources::OpenFile(path + "\\" + file.cFileName);
      for (const ResourceName& group : module ? module->EnumNames(kResourceGroupIcon) : std::vector<ResourceName>()) {
        auto directory = module->Find(kResourceGroupIcon, group);
        if (!directory) continue;
        const int id = LookupIconIdFromDirectory(directory->data(), TRUE);
        if (auto image = module->Find(kResourceIcon, ResourceName::Id(static_cast<uint16_t>(id))))
          images.push_back(std::move(*image));
      }
    } while (FindNextFileA(files, &file));
    FindClose(files);
  } while (FindNextFileA(folders, &folder));
  FindClose(folders);
  return images;
}

// Icons per second of the plainest append of one icon after another on one
// thread, drawing off: the icon made, both image lists, the item and its tick.
double BareAppendRate(const std::vector<std::vector<uint8_t>>& images) {
  const HWND host = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 420, 320, nullptr, nullptr, nullptr, nullptr);
  const HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0, 400, 300, host,
                                    nullptr, nullptr, nullptr);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  const HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR8 | ILC_MASK, 8, 1);
  const HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR8 | ILC_MASK, 8, 1);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  LARGE_INTEGER start, end;
  QueryPerformanceCounter(&start);
  int index = 0;
  for (const auto& image : images) {
    const HICON icon = CreateIconFromResource(const_cast<PBYTE>(image.data()), static_cast<DWORD>(image.size()),
                                              TRUE, 0x00030000);
    ImageList_ReplaceIcon(large, -1, icon);
    ImageList_ReplaceIcon(small, -1, icon);
    DestroyIcon(icon);
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = const_cast<LPSTR>("");
    item.iImage = index;
    SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    LVITEMA state = {};
    state.stateMask = LVIS_STATEIMAGEMASK;
    state.state = INDEXTOSTATEIMAGEMASK(2);
    SendMessageA(list, LVM_SETITEMSTATE, index++, reinterpret_cast<LPARAM>(&state));
  }
  QueryPerformanceCounter(&end);
  DestroyWindow(host);
  ImageList_Destroy(large);
  ImageList_Destroy(small);
  return index / Seconds(start, end);
}

void Print(const char* what, const RunResult& run) {
  std::printf("%-3s %6d icons  %7.2f s  %6.1f icons/s  main window answered within %lu ms\n", what, run.listed,
              run.seconds, run.listed / run.seconds, run.longestAnswerMs);
  // Steady rates from the first tenth to the last: no cost grows with the list.
  std::printf("    icons/s by tenth:");
  double previous = 0;
  for (const double at : run.tenths) {
    std::printf(" %.0f", run.icons / 10.0 / (at - previous));
    previous = at;
  }
  std::printf("\n");
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int icons = argc > 1 ? std::max(kGroupsPerModule, std::atoi(argv[1])) : 2000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  TempFolder smallTree;
  TempFolder largeTree;
  const int n = BuildTree(smallTree.Path(), icons);
  const int twoN = BuildTree(largeTree.Path(), 2 * icons);
  std::printf("modules of %d icon groups (three images each), %d per folder; %d rounds\n", kGroupsPerModule,
              kModulesPerFolder, rounds);

  // The sizes take turns, so that a busy spell of the machine does not fall
  // on one size only; the fastest run of each counts.
  double bestN = 0;
  double bestTwoN = 0;
  // Within the fastest 2n run: the second half's time over the first half's.
  double halvesOfBest = 0;
  for (int round = 0; round < rounds; ++round) {
    for (const bool large : {false, true}) {
      const RunResult run = SearchWithProgram(large ? largeTree.Path() : smallTree.Path(), large ? twoN : n, 0);
      if (!run.ok) {
        std::printf("%s run failed: %s\n", large ? "2n" : "n", run.error.c_str());
        return 1;
      }
      Print(large ? "2n" : "n", run);
      double& best = large ? bestTwoN : bestN;
      if (best != 0 && run.seconds >= best) continue;
      best = run.seconds;
      if (large && run.tenths.size() == 10) halvesOfBest = (run.tenths[9] - run.tenths[4]) / run.tenths[4];
    }
  }
  const RunResult cancelled = SearchWithProgram(largeTree.Path(), twoN, twoN / 2);
  if (cancelled.ok) {
    std::printf("cancel at %d of %d icons: answered in %lu ms, %d icons kept\n", twoN / 2, twoN,
                cancelled.cancelAnsweredMs, cancelled.listed);
  } else {
    std::printf("cancel run failed: %s\n", cancelled.error.c_str());
    return 1;
  }
  std::printf("best times: n %.2f s (%.1f icons/s), 2n %.2f s (%.1f icons/s)\n", bestN, n / bestN, bestTwoN,
              twoN / bestTwoN);
  // Free of the machine's changing load between runs: 1.00 when an icon costs
  // as much at the end of a long list as at its start.
  std::printf("fastest 2n run, second half against first half: %.2f\n", halvesOfBest);
  std::printf("ratio 2n/n: %.2f (goal: at most 2.2)\n", bestTwoN / bestN);
  const std::vector<std::vector<uint8_t>> images = ChosenImages(smallTree.Path());
  double bareRate = 0;
  for (int round = 0; round < rounds; ++round) bareRate = std::max(bareRate, BareAppendRate(images));
  std::printf("bare append of the same %zu icons: %.1f icons/s\n", images.size(), bareRate);
  std::printf("ratio search / bare append: %.2f (goal: at least 6)\n", n / bestN / bareRate);
  return 0;
}
