#include "base/Settings.h"

namespace {

const char kSetting[] = "Setting";
const char kFilter[] = "Filter";
// In the order of the type switches.
const char* const kFilterKeys[kTypeSwitchCount] = {"Exe", "Dll", "Ico", "Icl", "Cpl", "Ocx", "Scr"};

}  // namespace

Settings DefaultSettings() {
  Settings settings;
  settings.libraryFolder = "C:\\IconLibrary";
  settings.selectAll = true;
  settings.confirmClear = true;
  settings.saveType = "ico";
  settings.titlePrefix = "Untitled";
  settings.openFolder = true;
  settings.filter.fill(true);
  return settings;
}

Settings ReadSettings(const CConfigFile& config) {
  Settings settings;
  settings.libraryFolder = std::string(config.GetString(kSetting, "RestorePath"));
  const int view = config.GetInt(kSetting, "View");
  // A stored number that names no view gives the Normal one.
  settings.view = view == static_cast<int>(ViewMode::Small)  ? ViewMode::Small
                  : view == static_cast<int>(ViewMode::List) ? ViewMode::List
                                                             : ViewMode::Normal;
  settings.selectAll = config.GetBool(kSetting, "SelectAll") != FALSE;
  settings.confirmClear = config.GetBool(kSetting, "Confirm") != FALSE;
  settings.saveType = std::string(config.GetString(kSetting, "DefaultType"));
  settings.titlePrefix = std::string(config.GetString(kSetting, "TitlePrefix"));
  settings.openFolder = config.GetBool(kSetting, "OpenDir") != FALSE;
  for (size_t i = 0; i < kTypeSwitchCount; ++i) settings.filter[i] = config.GetBool(kFilter, kFilterKeys[i]) != FALSE;
  settings.window = {config.GetInt(kSetting, "WindowLeft"), config.GetInt(kSetting, "WindowTop"),
                     config.GetInt(kSetting, "WindowWidth"), config.GetInt(kSetting, "WindowHeight"),
                     config.GetBool(kSetting, "WindowMaximized") != FALSE};
  settings.pictureSize = config.GetInt(kSetting, "PictureSize");
  return settings;
}

void WriteSettings(const CConfigFile& config, const Settings& settings) {
  config.WriteString(kSetting, "RestorePath", settings.libraryFolder.c_str());
  config.WriteInt(kSetting, "View", static_cast<int>(settings.view));
  config.WriteBool(kSetting, "SelectAll", settings.selectAll);
  config.WriteBool(kSetting, "Confirm", settings.confirmClear);
  config.WriteString(kSetting, "DefaultType", settings.saveType.c_str());
  config.WriteString(kSetting, "TitlePrefix", settings.titlePrefix.c_str());
  config.WriteBool(kSetting, "OpenDir", settings.openFolder);
  for (size_t i = 0; i < kTypeSwitchCount; ++i) config.WriteBool(kFilter, kFilterKeys[i], settings.filter[i]);
  // A window never placed, or a size never chosen, writes nothing: the next
  // start opens at the designed size, as without the keys.
  if (settings.window.width > 0 && settings.window.height > 0) {
    config.WriteInt(kSetting, "WindowLeft", settings.window.left);
    config.WriteInt(kSetting, "WindowTop", settings.window.top);
    config.WriteInt(kSetting, "WindowWidth", settings.window.width);
    config.WriteInt(kSetting, "WindowHeight", settings.window.height);
    config.WriteBool(kSetting, "WindowMaximized", settings.window.maximized);
  }
  if (settings.pictureSize > 0) config.WriteInt(kSetting, "PictureSize", settings.pictureSize);
}
