#pragma once
// Where the folder search's worker leaves what it found and how far it got,
// until the user-interface thread takes it: the worker touches no window,
// image list or record itself.

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
  void IconFound(FoundIcon icon) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_progress.icons.push_back(std::move(icon));
  }
  Progress Take() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    Progress taken = std::move(m_progress);
    m_progress = Progress{};
    m_progress.filesBefore = taken.filesBefore;
    return taken;
  }
  void Reset() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_progress = Progress{};
    m_filesSeen = 0;
  }

 private:
  std::mutex m_mutex;
  Progress m_progress;
  int m_filesSeen = 0;
};
