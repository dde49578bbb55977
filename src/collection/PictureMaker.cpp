#include "collection/PictureMaker.h"

#include <new>
#include <utility>

#include "collection/IconPictures.h"
#include "formats/IconFileReader.h"

namespace {

// A screen of the smallest pictures and its margin; sooner, a twentieth of a second.
constexpr size_t kHandOverBatch = 512;
constexpr std::chrono::milliseconds kHandOverAfter{50};
// Made but not yet taken: the worker waits beyond this, so that a window too
// busy to take its pictures does not gather them without bound.
constexpr size_t kMostUntakenBytes = 8u << 20;

}  // namespace

PictureMaker::PictureMaker(HWND window, UINT message)
    : m_window(window), m_message(message), m_thread([this] { Run(); }) {}

PictureMaker::~PictureMaker() {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_wake.notify_one();
  m_thread.join();
}

void PictureMaker::Restart(uint32_t generation, int side, size_t mostWaiting) {
  const std::lock_guard<std::mutex> lock(m_mutex);
  m_generation = generation;
  m_side = side;
  m_mostWaiting = mostWaiting;
  m_queue.clear();
  m_queuedPriority.clear();
  m_made.clear();
  m_madeBytes = 0;
  m_posted = false;
}

void PictureMaker::Ask(const std::vector<PictureRequest>& requests) {
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    for (const PictureRequest& request : requests) {
      const auto queued = m_queuedPriority.find(request.index);
      if (queued != m_queuedPriority.end()) {
        if (queued->second >= request.priority) continue;
        m_queue.erase({queued->second, request.index});
      }
      m_queuedPriority[request.index] = request.priority;
      m_queue.emplace(Order{request.priority, request.index}, request);
    }
    TrimQueue();
  }
  m_wake.notify_one();
}

void PictureMaker::TrimQueue() {
  while (m_queue.size() > m_mostWaiting) {
    const auto last = std::prev(m_queue.end());
    m_queuedPriority.erase(last->first.second);
    m_queue.erase(last);
  }
}

std::vector<MadePicture> PictureMaker::Take() {
  std::vector<MadePicture> made;
  {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_posted = false;
    m_madeBytes = 0;
    made = std::exchange(m_made, {});
  }
  m_wake.notify_one();
  return made;
}

void PictureMaker::Run() {
  // Consecutive icons of one file are read through one opening of it.
  std::unique_ptr<IconFileReader> reader;
  std::string readerPath;
  std::unique_lock<std::mutex> lock(m_mutex);
  for (;;) {
    // Idle, it keeps no file open: the user may move or delete it meanwhile.
    if (m_queue.empty() || m_madeBytes >= kMostUntakenBytes) reader.reset();
    m_wake.wait(lock, [this] { return m_stop || (!m_queue.empty() && m_madeBytes < kMostUntakenBytes); });
    if (m_stop) return;
    const PictureRequest request = std::move(m_queue.begin()->second);
    m_queue.erase(m_queue.begin());
    m_queuedPriority.erase(request.index);
    const uint32_t generation = m_generation;
    const int side = m_side;
    lock.unlock();
    MadePicture made{generation, request.index, request.priority, std::nullopt};
    try {
      if (!reader || readerPath != *request.path) {
        reader = std::make_unique<IconFileReader>(*request.path);
        readerPath = *request.path;
      }
      const auto group = reader->ReadGroup(request.group);
      if (group) made.picture = PictureOfSet(*group->set, side);
    } catch (const std::bad_alloc&) {
      reader.reset();
    }
    lock.lock();
    // A restart while it was made makes it stale.
    if (generation != m_generation) continue;
    if (m_made.empty()) m_firstMade = std::chrono::steady_clock::now();
    if (made.picture) m_madeBytes += made.picture->pixels.size();
    m_made.push_back(std::move(made));
    // Handed over in batches, each of which the window takes and draws: when
    // nothing more is asked, or a batch has waited long enough to be seen.
    // The screen's requests outrank its margin's: a lower one next means the screen is done.
    const bool screenDone = m_queue.empty() || m_queue.begin()->first.first < request.priority;
    const bool due = screenDone || m_made.size() >= kHandOverBatch || m_madeBytes >= kMostUntakenBytes ||
                     std::chrono::steady_clock::now() - m_firstMade >= kHandOverAfter;
    if (!m_posted && due) m_posted = ::PostMessageA(m_window, m_message, 0, 0) != FALSE;
  }
}
