#pragma once

// The one support layer of the program tests: a private folder with its own
// Config.ini, icon fixtures, a hidden list view, and a watcher that operates
// the dialogs the code under test opens.

#include <windows.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/TempFolder.h"
#include "app/MainApp.h"
#include "collection/IconCollection.h"
#include "framework/Edit.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/Static.h"
#include "support/ScriptedDialog.h"
#include "support/TestFiles.h"
#include "ui/IconListCtrl.h"


struct GroupFixture {
  ResourceName name;
  COLORREF colour;
};
// A PE module with one single-image icon group per entry, image ids 1, 2, ...
std::vector<uint8_t> BuildModuleWithGroups(const std::vector<GroupFixture>& groups);
// An .ico file holding one solid image per colour.
std::vector<uint8_t> BuildSolidIcoFile(const std::vector<COLORREF>& colours);
std::string WriteIcoAt(const std::string& path, COLORREF colour = RGB(200, 0, 0));
// A module with `groups` icon groups, ids 1, 2, ...
std::string WriteModuleAt(const std::string& path, int groups);

// The window's icon list, recording its scroll requests.
class HostListCtrl : public CIconListCtrl {
 public:
  std::vector<std::pair<int, int>> scrolls;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
};

// A hidden window with a check-box list view, a count label and a path box,
// its pictures 32 and 16 pixels.
class ListViewHost : public CWnd {
 public:
  ListViewHost();
  void Bind(CIconCollection& icons);
  // Shows the Normal view (large) or the Small view, waits for the item's
  // picture to be made, and gives the colour at its centre as the list draws
  // it on black (CLR_INVALID when none came within seconds).
  COLORREF ShownCentre(int index, bool large);
  // The centre of the mark of an icon with no picture to make: grey, where its cross meets.
  static constexpr COLORREF kUnreadableMark = RGB(128, 128, 128);
  HostListCtrl list;
  CStatic label;
  CEdit pathBox;
};

// What a dialog box showed when it was found.
struct SeenDialog {
  HWND owner = nullptr;
  // The texts of its static controls, one after the other.
  std::string text;
};

// Watches this process, from a thread of its own, for a visible dialog box
// with the given caption (any when empty) that is not `excluding`; runs
// `action` on it and stops. Gives up after ten seconds or on Finish. Actions
// only send and post messages.
class DialogWatcher {
 public:
  DialogWatcher(std::string caption, std::function<void(HWND)> action, HWND excluding = nullptr);
  ~DialogWatcher() { Finish(); }
  DialogWatcher(const DialogWatcher&) = delete;
  DialogWatcher& operator=(const DialogWatcher&) = delete;
  // Stops watching; true when a dialog was found and operated.
  bool Finish();
  const SeenDialog& Seen() const { return m_seen; }

 private:
  void Watch();
  std::string m_caption;
  std::function<void(HWND)> m_action;
  HWND m_excluding;
  std::atomic<bool> m_stop{false};
  bool m_found = false;
  SeenDialog m_seen;
  std::thread m_thread;
};

std::function<void(HWND)> Press(int button);


// A test that owns the application's settings and collection: Config.ini in a
// fresh folder of its own, and a collection left empty and unbound afterwards.
class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  void WriteSetting(const char* section, const char* key, const char* value) const;
  // The value as the file holds it, or "<missing>".
  std::string Raw(const char* section, const char* key) const;
  CIconCollection& Icons() { return TheApp().m_icons; }

  TempFolder folder;
  std::string configPath = folder.File("Config.ini");
};

// A test with a library folder to save into (OpenDir off), every file type
// on, and the collection bound to a hidden list.
class SaveTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;
  // One .ico file with one distinct 32 by 32 image per seed, each loaded.
  void AddIcos(const std::vector<uint8_t>& seeds);
  // The block of the image written for a seed, as the .ico writer stores it.
  static std::vector<uint8_t> SavedSeed(uint8_t seed);
  // The first block of a file in the library.
  std::vector<uint8_t> FirstBlockIn(const std::string& name) const;
  void TickOnly(const std::vector<int>& items);

  TempFolder sources;
  TempFolder library;
  ListViewHost host;
};
