#pragma once
// Pieces of the end-to-end save tests: a scratch folder tree, the product's
// settings, its dialogs found and operated from outside, .ico and .bmp files
// read byte by byte, and wrestool's extraction of a module's icon groups as
// the reference.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class ScratchFolder {
 public:
  explicit ScratchFolder(const char* tag);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

// Writes all fourteen settings: the defaults, but the library folder given,
// and "OpenDir" as asked (on, the shell would start a folder window).
void WriteSettings(const std::string& iniPath, const std::string& library, bool openDir = false);

// Polls up to the given time; true as soon as the condition holds.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// A visible dialog box (class #32770) of the process other than `excluding`
// that has a child with the given id (0: any), or null.
HWND FindDialogOf(DWORD processId, HWND excluding, int childId = 0);
HWND WaitForDialogOf(DWORD processId, HWND excluding, int childId, DWORD milliseconds);

// Presses a button of the main window as a click would: its BN_CLICKED.
void ClickButton(HWND window, int id);
// Types a path into the file-name box of a system file dialog and presses Enter.
void TypeFileNameAndEnter(HWND dialog, const std::string& path);

// The text of a message box: its static controls, one after the other.
std::string BoxText(HWND box);

std::vector<std::string> NamesIn(const std::string& folder);
Bytes ReadFileBytes(const std::string& path);

// The image blocks of an .ico file in directory order; nothing when it is not one.
std::vector<Bytes> IcoBlocks(const Bytes& file);
bool IsPng(const Bytes& block);
// A DIB block with biSizeImage set to 0, as our .ico writer stores it.
Bytes WithSizeImageCleared(Bytes block);

// What a .bmp file must hold for an icon image block: the file header, the
// info header with the image's own height, the colour table and the colour
// bitmap; an empty string when it does, else what differs.
std::string BitmapMismatch(const Bytes& bitmap, const Bytes& dib);

struct WrestoolGroup {
  std::string name;  // as wrestool lists it, without quotes
  std::string icoPath;
};

// Lists and extracts every icon group of a module with wrestool (a Linux
// program, started from here as Wine starts a Unix executable), into
// outFolder. The groups come in wrestool's listing order, first language of
// each name only. False with a reason when wrestool gave no complete result.
bool ExtractWithWrestool(const std::string& modulePath, const std::string& outFolder,
                         std::vector<WrestoolGroup>* groups, std::string* error);
