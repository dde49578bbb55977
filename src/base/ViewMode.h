#pragma once
// The main list's three views, as the "View" setting stores them.

enum class ViewMode { Normal = 0, Small = 1, List = 2 };

// Any stored value that names no view gives the Normal one.
inline ViewMode ViewModeFromSetting(int stored) {
  return stored == static_cast<int>(ViewMode::Small)  ? ViewMode::Small
         : stored == static_cast<int>(ViewMode::List) ? ViewMode::List
                                                      : ViewMode::Normal;
}
