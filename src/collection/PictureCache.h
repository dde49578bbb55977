#pragma once
// The pictures of the icons in view, in a bounded number of places: the icon
// asked for least recently gives its place to the next. Place 0 stands for an
// icon whose picture is being made and shows nothing, place 1 is the mark of
// one whose source cannot be read. User-interface thread only.

#include <windows.h>

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "collection/PictureAtlas.h"
#include "formats/RgbaImage.h"

class PictureCache {
 public:
  static constexpr int kMakingPlace = 0;
  static constexpr int kUnreadablePlace = 1;

  // Empties the cache and keeps pictures `side` pixels square of at most
  // `places` icons, the two placeholders apart.
  void Bind(int side, int places);
  void Forget();
  int Side() const { return m_side; }
  // How many icons' pictures are held.
  int HeldCount() const { return static_cast<int>(m_held.size()); }

  // The place of the icon's picture, marked as asked for at `priority`; -1 when none is made.
  int PlaceOf(int index, uint64_t priority);
  // Whether the icon's picture, or the mark that it has none, is held; marks nothing.
  bool Holds(int index) const { return m_placeOf.count(index) || m_unreadable.count(index); }
  // Whether the icon is known to have no picture.
  bool IsUnreadable(int index) const { return m_unreadable.count(index) != 0; }
  // Takes a made picture (none: unreadable); true when the icon now shows
  // one. False when every place holds a picture asked for later than this
  // one was, which is then dropped.
  bool Put(int index, uint64_t priority, const RgbaImage* picture);
  // Draws what a place shows with its top-left corner at (x, y), tinted as
  // the atlas tints; the place of an icon being made draws nothing.
  void Draw(int place, HDC dc, int x, int y, const COLORREF* tint) const { m_atlas.Draw(place, dc, x, y, tint); }

  // How many places pictures may take at this side: a fixed budget of bytes,
  // and never fewer than a large screen shows.
  static int PlacesFor(int side);

 private:
  struct Place {
    int index = -1;
    uint64_t priority = 0;
  };
  int LeastRecentPlace() const;

  PictureAtlas m_atlas;
  int m_side = 0;
  int m_places = 0;
  std::vector<Place> m_held;  // by place, from 2 on
  std::unordered_map<int, int> m_placeOf;
  std::unordered_set<int> m_unreadable;
};
