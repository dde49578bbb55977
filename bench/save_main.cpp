// Saves n ticked icons through the save progress dialog and its worker, as
// the Save command runs them, several rounds, and prints icons per second.
// Used by bench/save-rate; runs under Wine.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/MainApp.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "save/SaveProgressDlg.h"
#include "ui/IconListCtrl.h"
#include "support/IconBuilder.h"
#include "support/ModuleBuilder.h"

CMainApp theApp;

namespace {

void EmptyFolder(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((folder + "\\" + entry.cFileName).c_str());
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

struct SavedFile {
  std::string name;
  std::vector<char> bytes;
};

std::vector<SavedFile> ReadFolder(const std::string& folder) {
  std::vector<SavedFile> files;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    SavedFile file{entry.cFileName, std::vector<char>(entry.nFileSizeLow)};
    const HANDLE handle = CreateFileA((folder + "\\" + file.name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD read = 0;
    if (handle != INVALID_HANDLE_VALUE) {
      ReadFile(handle, file.bytes.data(), static_cast<DWORD>(file.bytes.size()), &read, nullptr);
      CloseHandle(handle);
    }
    files.push_back(std::move(file));
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return files;
}

// The reference: the same files created again in the same folder, plainly.
double CreateFiles(const std::string& folder, const std::vector<SavedFile>& files) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (const SavedFile& file : files) {
    const HANDLE handle = CreateFileA((folder + "\\" + file.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(handle, file.bytes.data(), static_cast<DWORD>(file.bytes.size()), &written, nullptr);
    CloseHandle(handle);
  }
  QueryPerformanceCounter(&end);
  return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The main window's list as it is made: owner data, the ticks kept by the
// collection, which the list asks for them.
class ListHost : public CWnd {
 public:
  ListHost() {
    CreateEx(0, "STATIC", "Save benchmark", WS_POPUP, CRect(0, 0, 420, 320), nullptr, 0);
    list.CreateEx(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_OWNERDATA | LVS_SINGLESEL,
                  CRect(0, 0, 400, 300), this, 1000);
    list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_CHECKBOXES);
    list.SetPictureSides(32, 16);
  }
  CIconListCtrl list;
};

}  // namespace

int main(int argc, char** argv) {
  const int icons = argc > 1 ? std::atoi(argv[1]) : 1000;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  const std::string type = argc > 3 ? argv[3] : "ico";
  if (icons < 1 || icons > 20000 || rounds < 1 || (type != "ico" && type != "bmp")) {
    std::fprintf(stderr, "usage: %s [ICONS (1-20000)] [ROUNDS] [ico|bmp]\n", argv[0]);
    return 2;
  }
  if (!AfxWinInit()) return 1;

  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string work = std::string(temp) + "vantrel-save-bench-" + std::to_string(GetCurrentProcessId());
  const std::string library = work + "\\library";
  const std::string module = work + "\\bench.dll";
  CreateDirectoryA(work.c_str(), nullptr);
  CreateDirectoryA(library.c_str(), nullptr);
  if (!WriteBytes(module, BuildProgramModule(icons, 0))) {
    std::fprintf(stderr, "cannot write %s\n", module.c_str());
    return 1;
  }

  int result = 0;
  {
    ListHost host;
    CIconCollection& collection = TheApp().m_icons;
    collection.SwitchType(TypeSwitch::Dll, true);
    collection.SetListView(&host.list);
    host.list.ShowIcons(&collection);
    collection.LoadFromFile(module.c_str(), TRUE);
    const int loaded = host.list.GetItemCount();

    std::vector<double> seconds;
    std::vector<double> creationSeconds;
    for (int round = 0; round < rounds && result == 0; ++round) {
      EmptyFolder(library);
      CSaveProgressDlg dialog(collection);
      dialog.m_folder = library.c_str();
      dialog.m_baseName = "Untitled";
      dialog.m_type = type.c_str();
      dialog.m_list = &host.list;
      dialog.m_total = loaded;
      LARGE_INTEGER frequency, start, end;
      QueryPerformanceFrequency(&frequency);
      QueryPerformanceCounter(&start);
      dialog.DoModal();
      QueryPerformanceCounter(&end);
      if (dialog.m_done != icons || !dialog.m_failures.empty()) {
        std::fprintf(stderr, "round %d saved %d of %d icons\n", round + 1, dialog.m_done, icons);
        for (const SaveFailure& failure : dialog.m_failures)
          std::fprintf(stderr, "  %s: %s\n", failure.fileName.c_str(), failure.reason.c_str());
        result = 1;
      }
      seconds.push_back(static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
      const std::vector<SavedFile> saved = ReadFolder(library);
      EmptyFolder(library);
      creationSeconds.push_back(CreateFiles(library, saved));
    }
    collection.EmptyWithViews(nullptr);
    collection.SetListView(nullptr);

    if (result == 0) {
      const double median = Median(seconds);
      const double creation = Median(creationSeconds);
      std::printf("saved %d icons as .%s (3 images each), %d rounds, median %.3f s\n", icons, type.c_str(), rounds,
                  median);
      std::printf("icons per second: %.0f\n", icons / median);
      std::printf("the same files created plainly: median %.3f s, %.0f per second\n", creation, icons / creation);
      std::printf("ratio save / file creation: %.2f (goal: at least 0.8)\n", creation / median);
    }
  }
  EmptyFolder(library);
  RemoveDirectoryA(library.c_str());
  DeleteFileA(module.c_str());
  RemoveDirectoryA(work.c_str());
  AfxWinTerm();
  return result;
}
