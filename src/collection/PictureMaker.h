#pragma once
// Makes the list's pictures on a thread of its own, newest requests first, and
// hands them over through the window: it touches no window, image list or
// record itself. A request a screen has moved past waits behind the new screen's.

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "formats/RgbaImage.h"
#include "formats/ResourceName.h"

struct PictureRequest {
  int index = 0;
  // Higher goes first; of one priority, the lower index first.
  uint64_t priority = 0;
  std::shared_ptr<const std::string> path;
  std::optional<ResourceName> group;  // none for an .ico file
};

struct MadePicture {
  uint32_t generation = 0;
  int index = 0;
  uint64_t priority = 0;
  // None when the source cannot be read or none of its images decodes.
  std::optional<RgbaImage> picture;
};

class PictureMaker {
 public:
  // Posts `message` to `window` whenever made pictures wait to be taken.
  PictureMaker(HWND window, UINT message);
  ~PictureMaker();
  PictureMaker(const PictureMaker&) = delete;
  PictureMaker& operator=(const PictureMaker&) = delete;

  // Drops every request and every picture not yet taken; what follows is made
  // `side` pixels square and carries `generation`. Of more than `mostWaiting`
  // requests the lowest are dropped: more than the window can keep would only
  // be screens the user has scrolled past.
  void Restart(uint32_t generation, int side, size_t mostWaiting);
  // Adds requests; one for an index already waiting takes the higher priority.
  void Ask(const std::vector<PictureRequest>& requests);
  std::vector<MadePicture> Take();

 private:
  using Order = std::pair<uint64_t, int>;  // priority, index
  struct FirstGoesFirst {
    bool operator()(const Order& a, const Order& b) const {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    }
  };
  void Run();
  // Drops the lowest requests while more wait than a list could want.
  void TrimQueue();

  HWND m_window;
  UINT m_message;
  std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_stop = false;
  uint32_t m_generation = 0;
  int m_side = 32;
  size_t m_mostWaiting = 0;
  std::map<Order, PictureRequest, FirstGoesFirst> m_queue;
  std::unordered_map<int, uint64_t> m_queuedPriority;
  std::vector<MadePicture> m_made;
  size_t m_madeBytes = 0;
  bool m_posted = false;
  std::chrono::steady_clock::time_point m_firstMade;
  std::thread m_thread;
};
