#pragma once
// Shared pieces of the program tests: a private folder per test, icons and
// fixture files of known colours, a hidden list view with its image lists,
// a watcher that answers the message boxes the program shows, and a main
// window that runs a test's steps inside its own modal loop.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/MainApp.h"
#include "collection/IconCollection.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/Static.h"
#include "ui/MainDlg.h"

// A new, empty folder under the system's temporary folder, removed with
// everything in it (also paths longer than MAX_PATH) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

// The text lines of a file, without line ends and without blank lines.
std::vector<std::string> ReadLines(const std::string& path);

// A 32 by 32 icon image block (32-bit colour, opaque) of one solid colour.
std::vector<uint8_t> SolidIconBlock(COLORREF colour, int size = 32);
// An icon handle of one solid colour; the caller destroys it.
HICON MakeSolidIcon(COLORREF colour);

struct GroupSpec {
  ResourceName name;
  COLORREF colour;
};
// A PE module with one single-image icon group per entry, image ids 1, 2, ...
std::vector<uint8_t> BuildModuleWithGroups(const std::vector<GroupSpec>& groups);
// An .ico file holding one solid image per colour.
std::vector<uint8_t> BuildSolidIcoFile(const std::vector<COLORREF>& colours);

// The colour at the centre of one image of an image list, drawn on black.
COLORREF CentreColour(HIMAGELIST list, int index);
// True when the colours differ by at most a few steps per channel (the image
// lists keep 8-bit versions of the icons).
bool SameColour(COLORREF a, COLORREF b);

// A list view that records the scroll requests it receives.
class RecordingListCtrl : public CListCtrl {
 public:
  std::vector<std::pair<int, int>> scrolls;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A hidden window holding a check-box list view, a count label and a path
// box, with the two image lists as the main window makes them.
class ListViewHost : public CWnd {
 public:
  ListViewHost();
  // Binds the views to the collection, as the main window does.
  void Bind(CIconCollection& icons);

  RecordingListCtrl list;
  CStatic label;
  CEdit pathBox;
  CImageList large;
  CImageList small;
};

// Watches this process for a dialog box with the given caption (skipping the
// window `excluding`), reads its text and presses `button`. It answers one box
// and stops there, when Finish is called, or after ten seconds.
class DialogAnswerer {
 public:
  DialogAnswerer(std::string caption, int button, HWND excluding = nullptr);
  ~DialogAnswerer() { Finish(); }
  DialogAnswerer(const DialogAnswerer&) = delete;
  DialogAnswerer& operator=(const DialogAnswerer&) = delete;

  // Stops watching; true when a box was answered. Its text is in Text().
  bool Finish();
  const std::string& Text() const { return m_text; }

 private:
  void Watch();

  std::string m_caption;
  int m_button;
  HWND m_excluding;
  std::atomic<bool> m_stop{false};
  bool m_answered = false;
  std::string m_text;
  std::thread m_thread;
};

// A drop handle for the given paths, as the shell hands one to a window. The
// receiver of WM_DROPFILES releases it.
HDROP MakeDrop(const std::vector<std::string>& paths);

// Ends with this when the steps did not end the window within twenty seconds.
constexpr int kTimedOut = 9999;

// The main window running a test's steps one by one from its own modal loop:
// each step runs after every message posted before it has been handled.
class ScriptedMainDlg : public CMainDlg {
 public:
  std::vector<std::function<void()>> steps;
  // Every WM_COMMAND that reached the window: (id, notification code).
  std::vector<std::pair<UINT, UINT>> commands;
  int okCalls = 0;
  // What the window held when it was being destroyed.
  int itemsAtDestroy = -1;
  std::string pathTextAtDestroy;

  bool IsOpen() const { return ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd); }
  std::string PathText() const;
  int ViewType() const { return static_cast<int>(m_iconList.GetStyle() & LVS_TYPEMASK); }

 protected:
  BOOL OnInitDialog() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnOK() override;
  void OnTimer(UINT_PTR id) override;

 private:
  size_t m_nextStep = 0;
};

// A test that owns the application's settings and collection: Config.ini in a
// fresh folder of its own, and a collection left empty and unbound afterwards.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Writes one value straight into the test's Config.ini.
  void WriteSetting(const char* section, const char* key, const char* value) const;

  TempFolder folder;
  std::string configPath = folder.File("Config.ini");
};
