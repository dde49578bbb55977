#pragma once
// Pieces of the end-to-end folder-search tests: the system's folder browser
// of the product operated through its tree view from outside, the product's
// search dialog and its labels, and what the system itself reads from a
// module, as the reference count.

#include <windows.h>

#include <string>
#include <vector>

// Memory in another process, for messages whose argument points to a record.
class RemoteMemory {
 public:
  RemoteMemory(DWORD processId, size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool Valid() const { return m_address != nullptr; }
  char* Address() const { return static_cast<char*>(m_address); }
  bool Write(size_t offset, const void* data, size_t size) const;
  bool Read(size_t offset, void* data, size_t size) const;

 private:
  HANDLE m_process = nullptr;
  void* m_address = nullptr;
};

// Picks `folder` (a path on drive C:) in a folder browser of another process:
// from "My Computer" down, each part expanded in turn and the last selected,
// as a user clicking through the tree does. False, with the reason, when a
// part is not in the tree.
bool PickFolderInBrowser(HWND browser, const std::string& folder, std::string* error);

// The folder browser of the process: a dialog holding a tree view.
HWND WaitForFolderBrowser(DWORD processId, DWORD milliseconds);

// Presses Ctrl+D with the keyboard while the window is in front.
void PressCtrlKey(HWND window, char key);

// What the search dialog showed while it was open.
struct SearchDialogRecord {
  bool seen = false;
  bool closed = false;
  std::vector<std::string> fileLabels;  // each change, in order
  std::vector<std::string> iconLabels;  // each change, in order
  std::string lastCurrentFile;
};

// Watches the product's search dialog (the dialog with the current-file box)
// from its opening until it closes or `milliseconds` pass, reading its labels
// as fast as it can. When `cancelAtIcons` is positive, presses its Cancel
// button once the icon label reaches that number, and stores in
// *cancelledAt the moment the click was sent.
SearchDialogRecord WatchSearchDialog(DWORD processId, DWORD milliseconds, int cancelAtIcons = 0,
                                     DWORD* cancelledAt = nullptr);

// Number of icon groups in a module, as the system's own loader enumerates them.
int SystemIconGroupCount(const std::string& modulePath);

// Wine's folder of 32-bit system modules, as a Windows path.
std::string WineSystemModuleFolder();

// The item count of the main window's icon list.
int ListItemCount(HWND mainWindow);

bool WriteFileBytes(const std::string& path, const std::vector<char>& bytes);

// The entries of a folder, "." and ".." left out, in the order the system lists them.
std::vector<std::string> EntriesOf(const std::string& folder);
