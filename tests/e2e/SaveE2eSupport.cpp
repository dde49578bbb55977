#include "SaveE2eSupport.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "ProductProcess.h"

namespace {

constexpr DWORD kPollMilliseconds = 50;
constexpr int kFileNameBox = 0x47c;

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  for (size_t i = 0; i < text.size(); ++i) wide[i] = static_cast<unsigned char>(text[i]);
  return wide;
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

uint32_t U32(const Bytes& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

uint16_t U16(const Bytes& bytes, size_t at) { return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8); }

struct DialogSearch {
  DWORD processId;
  HWND excluding;
  int childId;
  HWND found;
};

BOOL CALLBACK FindDialog(HWND hwnd, LPARAM context) {
  auto* search = reinterpret_cast<DialogSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->processId || hwnd == search->excluding || !IsWindowVisible(hwnd)) return TRUE;
  if (ClassName(hwnd) != "#32770") return TRUE;
  if (search->childId && !GetDlgItem(hwnd, search->childId)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK AppendStatic(HWND child, LPARAM context) {
  if (lstrcmpiA(ClassName(child).c_str(), "Static") == 0) *reinterpret_cast<std::string*>(context) += WindowText(child);
  return TRUE;
}

// The Unix path of a Windows path, through Wine's own conversion.
std::string UnixPath(const std::string& windowsPath) {
  using ToUnix = char*(CDECL*)(const wchar_t*);
  const FARPROC proc = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (!proc) return std::string();
  const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(proc));
  char* unixPath = toUnix(Widen(windowsPath).c_str());
  if (!unixPath) return std::string();
  std::string result(unixPath);
  HeapFree(GetProcessHeap(), 0, unixPath);
  return result;
}

// The value of "--key=" in one line of wrestool's listing, quotes removed.
std::string ListingValue(const std::string& line, const std::string& key) {
  const size_t at = line.find("--" + key + "=");
  if (at == std::string::npos) return std::string();
  size_t begin = at + key.size() + 3;
  if (begin < line.size() && line[begin] == '\'') {
    const size_t end = line.find('\'', begin + 1);
    return end == std::string::npos ? std::string() : line.substr(begin + 1, end - begin - 1);
  }
  return line.substr(begin, line.find(' ', begin) - begin);
}

}  // namespace

ScratchFolder::ScratchFolder(const char* tag) {
  static int made = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  for (;;) {
    m_path = std::string(temp) + "vantrel-" + tag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++made);
    if (CreateDirectoryA(m_path.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
}

ScratchFolder::~ScratchFolder() { RemoveTree(L"\\\\?\\" + Widen(m_path)); }

void WriteSettings(const std::string& iniPath, const std::string& library, bool openDir) {
  const char* ini = iniPath.c_str();
  WritePrivateProfileStringA("Setting", "RestorePath", library.c_str(), ini);
  WritePrivateProfileStringA("Setting", "View", "0", ini);
  WritePrivateProfileStringA("Setting", "SelectAll", "1", ini);
  WritePrivateProfileStringA("Setting", "Confirm", "1", ini);
  WritePrivateProfileStringA("Setting", "DefaultType", "ico", ini);
  WritePrivateProfileStringA("Setting", "TitlePrefix", "Untitled", ini);
  WritePrivateProfileStringA("Setting", "OpenDir", openDir ? "1" : "0", ini);
  for (const char* key : {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"})
    WritePrivateProfileStringA("Filter", key, "1", ini);
}

bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds) {
  for (DWORD waited = 0;; waited += kPollMilliseconds) {
    if (condition()) return true;
    if (waited >= milliseconds) return false;
    Sleep(kPollMilliseconds);
  }
}

HWND FindDialogOf(DWORD processId, HWND excluding, int childId) {
  DialogSearch search{processId, excluding, childId, nullptr};
  EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForDialogOf(DWORD processId, HWND excluding, int childId, DWORD milliseconds) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindDialogOf(processId, excluding, childId)) != nullptr; }, milliseconds);
  return found;
}

void ClickButton(HWND window, int id) {
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

void TypeFileNameAndEnter(HWND dialog, const std::string& path) {
  HWND box = GetDlgItem(dialog, kFileNameBox);
  // The box is a combo box in some dialog versions: the keys go to its edit.
  HWND edit = FindWindowExA(box, nullptr, "Edit", nullptr);
  if (!edit) edit = box;
  Ask(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
  PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageA(edit, WM_KEYUP, VK_RETURN, 0xC01C0001);
}

std::string BoxText(HWND box) {
  std::string text;
  EnumChildWindows(box, AppendStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<Bytes> IcoBlocks(const Bytes& file) {
  if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1) return {};
  const size_t count = U16(file, 4);
  if (file.size() < 6 + count * 16) return {};
  std::vector<Bytes> blocks;
  for (size_t i = 0; i < count; ++i) {
    const size_t size = U32(file, 6 + i * 16 + 8);
    const size_t offset = U32(file, 6 + i * 16 + 12);
    if (offset > file.size() || size > file.size() - offset) return {};
    blocks.emplace_back(file.begin() + static_cast<std::ptrdiff_t>(offset),
                        file.begin() + static_cast<std::ptrdiff_t>(offset + size));
  }
  return blocks;
}

bool IsPng(const Bytes& block) {
  static const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return block.size() >= 8 && std::equal(std::begin(signature), std::end(signature), block.begin());
}

Bytes WithSizeImageCleared(Bytes block) {
  if (!IsPng(block) && block.size() >= 40) std::fill(block.begin() + 20, block.begin() + 24, 0);
  return block;
}

std::string BitmapMismatch(const Bytes& bitmap, const Bytes& dib) {
  if (dib.size() < 40) return "reference image is no DIB";
  const uint32_t headerSize = U32(dib, 0);
  const uint32_t width = U32(dib, 4);
  const uint32_t height = U32(dib, 8) / 2;
  const uint32_t bitCount = U16(dib, 14);
  const uint32_t colours = U32(dib, 32) ? U32(dib, 32) : (bitCount <= 8 ? 1u << bitCount : 0);
  const size_t tableBytes = static_cast<size_t>(colours) * 4;
  const size_t rowBytes = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
  const size_t pixelBytes = rowBytes * height;
  const size_t bitsAt = headerSize + tableBytes;
  if (dib.size() < bitsAt + pixelBytes) return "reference image is too short";

  if (bitmap.size() < 14 + 40 || bitmap[0] != 'B' || bitmap[1] != 'M') return "no BM file header";
  if (U32(bitmap, 2) != bitmap.size()) return "bfSize is not the file size";
  if (U32(bitmap, 10) != 14 + bitsAt) return "bfOffBits does not point past the colour table";
  if (U32(bitmap, 14) != headerSize) return "biSize differs";
  if (U32(bitmap, 18) != width) return "width differs";
  if (U32(bitmap, 22) != height) return "height is not the image's own height";
  if (U16(bitmap, 28) != bitCount) return "bit count differs";
  if (bitmap.size() != 14 + bitsAt + pixelBytes) return "file size is not header, colours and pixels";
  if (!std::equal(dib.begin() + 26, dib.begin() + static_cast<std::ptrdiff_t>(bitsAt), bitmap.begin() + 14 + 26))
    return "header tail or colour table differs";
  if (!std::equal(dib.begin() + static_cast<std::ptrdiff_t>(bitsAt),
                  dib.begin() + static_cast<std::ptrdiff_t>(bitsAt + pixelBytes),
                  bitmap.begin() + static_cast<std::ptrdiff_t>(14 + bitsAt)))
    return "pixels differ";
  return std::string();
}

bool ExtractWithWrestool(const std::string& modulePath, const std::string& outFolder,
                         std::vector<WrestoolGroup>* groups, std::string* error) {
  const std::string module = UnixPath(modulePath);
  const std::string out = UnixPath(outFolder);
  if (module.empty() || out.empty()) {
    *error = "no Unix paths (not running under Wine?)";
    return false;
  }
  CreateDirectoryA((outFolder + "\\x").c_str(), nullptr);
  // Wine runs a Unix program without a way to wait for it: the script marks
  // its end with a file of its own.
  const std::string script = "wrestool -l -t group_icon '" + module + "' > '" + out + "/list.txt' && wrestool -x -t group_icon -o '" +
                             out + "/x/' '" + module + "' && touch '" + out + "/done'";
  std::string commandLine = "/bin/sh -c \"" + script + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessA("Z:\\bin\\sh", &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    *error = "could not start /bin/sh";
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  const std::string done = outFolder + "\\done";
  if (!WaitUntil([&] { return GetFileAttributesA(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000)) {
    *error = "wrestool did not finish (is icoutils installed?)";
    return false;
  }

  std::string baseName = modulePath.substr(modulePath.rfind('\\') + 1);
  std::set<std::string> seen;
  std::ifstream listing(outFolder + "\\list.txt");
  for (std::string line; std::getline(listing, line);) {
    const std::string name = ListingValue(line, "name");
    if (name.empty() || !seen.insert(name).second) continue;
    const std::string language = ListingValue(line, "language");
    groups->push_back({name, outFolder + "\\x\\" + baseName + "_14_" + name + "_" + language + ".ico"});
  }
  if (groups->empty()) {
    *error = "wrestool listed no icon groups";
    return false;
  }
  return true;
}
