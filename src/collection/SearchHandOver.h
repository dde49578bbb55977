#pragma once
// Where the folder search's worker leaves what it found and how far it got,
// until the user-interface thread takes it: the worker touches no window,
// image list or record itself. A worker that gets far ahead waits, so that
// icons pile up neither in memory nor in the interface thread's next batch.

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "collection/FoundIcon.h"

class SearchHandOver {
 public:
  struct Progress {
    std::vector<FoundIcon> icons;
    // The file being searched and the files before it; empty path when no file started since the last take.
    std::string currentFile;
    int filesBefore = 0;
  };

  void FileStarted(const std::string& path) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_progress.currentFile = path;
    m_progress.filesBefore = m_filesSeen++;
  }
  // Waits while a full batch is waiting to be taken, unless stop is set.
  void IconFound(FoundIcon icon, const std::atomic<LONG>& stop) {
    std::unique_lock<std::mutex> lock(m_mutex);
    // Woken by each take; the time-out lets it see a stop, set without the lock.
    while (m_progress.icons.size() >= kMostWaiting && !stop.load())
      m_taken.wait_for(lock, std::chrono::milliseconds(10));
    m_progress.icons.push_back(std::move(icon));
  }
  Progress Take() {
    std::unique_lock<std::mutex> lock(m_mutex);
    Progress taken = std::move(m_progress);
    m_progress = Progress{};
    m_progress.filesBefore = taken.filesBefore;
    lock.unlock();
    m_taken.notify_one();
    return taken;
  }
  void Reset() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_progress = Progress{};
    m_filesSeen = 0;
  }

 private:
  // About what the interface thread appends in a twentieth of a second,
  // now that a picture costs it only its copy into a strip.
  static constexpr size_t kMostWaiting = 384;

  std::mutex m_mutex;
  std::condition_variable m_taken;
  Progress m_progress;
  int m_filesSeen = 0;
};
