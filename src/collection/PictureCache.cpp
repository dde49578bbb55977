#include "collection/PictureCache.h"

#include <algorithm>
#include <cstdint>

namespace {

// What the pictures may take, whatever their size: at 32 pixels about four
// thousand icons, at 256 about a hundred and twenty.
constexpr size_t kPictureBytes = 32u << 20;
// A screen of 256-pixel pictures at twice the usual DPI, with its margin.
constexpr int kFewestPlaces = 64;
// More than any screen of the smallest pictures shows.
constexpr int kMostPlaces = 4096;

RgbaImage Blank(int side) {
  const auto square = static_cast<uint32_t>(side);
  return RgbaImage{square, square, std::vector<uint8_t>(size_t{square} * square * 4, 0)};
}

// A grey frame with a cross through it: there is no picture to show.
RgbaImage UnreadableMark(int side) {
  RgbaImage mark = Blank(side);
  const int inset = std::max(1, side / 8);
  const int stroke = std::max(1, side / 16);
  auto paint = [&](int x, int y) {
    uint8_t* pixel = &mark.pixels[(static_cast<size_t>(y) * side + x) * 4];
    pixel[0] = pixel[1] = pixel[2] = 128;
    pixel[3] = 255;
  };
  for (int at = inset; at < side - inset; ++at)
    for (int s = 0; s < stroke; ++s) {
      paint(at, inset + s);
      paint(at, side - inset - 1 - s);
      paint(inset + s, at);
      paint(side - inset - 1 - s, at);
      paint(at, std::min(side - 1, at + s));
      paint(at, std::max(0, side - 1 - at - s));
    }
  return mark;
}

}  // namespace

int PictureCache::PlacesFor(int side) {
  const size_t bytes = size_t{static_cast<size_t>(side)} * side * 4 + (size_t{static_cast<size_t>(side)} * side + 7) / 8;
  return static_cast<int>(std::clamp<size_t>(kPictureBytes / bytes, kFewestPlaces, kMostPlaces));
}

void PictureCache::Bind(int side, int places) {
  m_side = side;
  m_places = places;
  Forget();
}

void PictureCache::Forget() {
  m_held.clear();
  m_placeOf.clear();
  m_unreadable.clear();
  m_atlas.Reset(m_side);
  if (m_side > 0) m_atlas.Store(kUnreadablePlace, UnreadableMark(m_side));
}

int PictureCache::PlaceOf(int index, uint64_t priority) {
  const auto found = m_placeOf.find(index);
  if (found == m_placeOf.end()) return m_unreadable.count(index) ? kUnreadablePlace : -1;
  Place& place = m_held[static_cast<size_t>(found->second - 2)];
  place.priority = std::max(place.priority, priority);
  return found->second;
}

int PictureCache::LeastRecentPlace() const {
  int least = 0;
  for (size_t i = 1; i < m_held.size(); ++i)
    if (m_held[i].priority < m_held[static_cast<size_t>(least)].priority) least = static_cast<int>(i);
  return least + 2;
}

bool PictureCache::Put(int index, uint64_t priority, const RgbaImage* picture) {
  if (m_side <= 0) return false;
  if (PlaceOf(index, priority) >= 0) return true;
  if (!picture) {
    m_unreadable.insert(index);
    return true;
  }
  int place = static_cast<int>(m_held.size()) + 2;
  const bool appended = static_cast<int>(m_held.size()) < m_places;
  if (!appended) {
    place = LeastRecentPlace();
    Place& evicted = m_held[static_cast<size_t>(place - 2)];
    if (evicted.priority > priority) return false;
    m_placeOf.erase(evicted.index);
  } else {
    m_held.push_back(Place{});
  }
  if (!m_atlas.Store(place, *picture)) {
    // The icon shows as being made; a replaced place keeps no one's picture.
    if (appended) m_held.pop_back();
    else m_held[static_cast<size_t>(place - 2)] = Place{};
    return false;
  }
  m_held[static_cast<size_t>(place - 2)] = Place{index, priority};
  m_placeOf[index] = place;
  return true;
}
