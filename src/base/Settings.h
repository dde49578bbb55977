#pragma once
// Every setting Vantrel keeps in Config.ini, typed, its key written once: read
// and written only through ReadSettings and WriteSettings. A key that is
// missing reads as empty, 0 or off, as it always has; the defaults are what
// a first start writes.

#include <array>
#include <string>

#include "base/ConfigFile.h"
#include "formats/FileTypes.h"

// The list's views, as the View key stores them.
enum class ViewMode { Normal = 0, Small = 1, List = 2 };

// The main window's place when last neither maximized nor minimized (screen pixels).
struct WindowPlace {
  int left = 0;
  int top = 0;
  int width = 0;  // 0: none remembered
  int height = 0;
  bool maximized = false;
};

struct Settings {
  std::string libraryFolder;  // where Save writes
  ViewMode view = ViewMode::Normal;
  bool selectAll = false;      // new icons come ticked
  bool confirmClear = false;   // Clear All asks first
  std::string saveType;        // "ico", "bmp" or "png"
  std::string titlePrefix;     // saved files' names begin with it
  bool openFolder = false;     // the folder opens after a save
  // Which file types are read, in the order of the type switches.
  std::array<bool, kTypeSwitchCount> filter{};
  WindowPlace window;
  int pictureSize = 0;  // the Normal view's picture side at 96 DPI; 0: none remembered
};

// What a first start writes.
Settings DefaultSettings();
Settings ReadSettings(const CConfigFile& config);
// Writes every setting; ReportUnstoredSettings then says if any was not stored.
void WriteSettings(const CConfigFile& config, const Settings& settings);
