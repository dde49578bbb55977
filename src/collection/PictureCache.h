#pragma once
// The pictures of the icons in view, in an image list of a bounded number of
// places: the icon asked for least recently gives its place to the next. Place
// 0 shows an icon whose picture is being made, place 1 one whose source
// cannot be read. User-interface thread only.

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "formats/RgbaImage.h"

class PictureCache {
 public:
  static constexpr int kMakingPlace = 0;
  static constexpr int kUnreadablePlace = 1;

  // Empties `list` (side x side) and keeps the pictures of at most `places`
  // icons in it, the two placeholders apart.
  void Bind(HIMAGELIST list, int side, int places);
  void Forget();
  HIMAGELIST List() const { return m_list; }
  int Side() const { return m_side; }

  // The place of the icon's picture, marked as asked for at `priority`; -1 when none is made.
  int PlaceOf(int index, uint64_t priority);
  // Whether the icon is known to have no picture.
  bool IsUnreadable(int index) const { return m_unreadable.count(index) != 0; }
  // Takes a made picture (none: unreadable); true when the icon now shows
  // one. False when every place holds a picture asked for later than this
  // one was, which is then dropped.
  bool Put(int index, uint64_t priority, const RgbaImage* picture);

  // How many places pictures may take at this side: a fixed budget of bytes,
  // and never fewer than a large screen shows.
  static int PlacesFor(int side);

 private:
  struct Place {
    int index = -1;
    uint64_t priority = 0;
  };
  int LeastRecentPlace() const;

  HIMAGELIST m_list = nullptr;
  int m_side = 0;
  int m_places = 0;
  std::vector<Place> m_held;  // by place, from 2 on
  std::unordered_map<int, int> m_placeOf;
  std::unordered_set<int> m_unreadable;
};
