#include "save/SaveWorker.h"

#include <commctrl.h>

#include <cstdint>
#include <set>

#include "formats/IconFileIO.h"
#include "save/BmpMessageBox.h"
#include "save/SaveNaming.h"

namespace {

// The full path in lower case: how the file system tells two names of one file apart.
std::string Comparable(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  std::string comparable = length > 0 && length < MAX_PATH ? std::string(full, length) : path;
  if (!comparable.empty()) ::CharLowerBuffA(&comparable[0], static_cast<DWORD>(comparable.size()));
  return comparable;
}

CString FileName(const SaveJob& job, int number) {
  return SavedFileName(job.folder.c_str(), job.baseName.c_str(), number, job.type.c_str());
}

// Saving the library's own files again can write a name that is the source
// of an icon not read yet. Every source that a name this save may write
// could replace is read before anything is written, so the files come out as
// if every source had been read first; other sources are read as they come.
struct EarlyReads {
  std::vector<bool> done;
  std::vector<IconImageSetPtr> sets;
};

EarlyReads ReadThreatenedSources(const SaveJob& job, const std::vector<SaveSource>& sources, SourceReader& reader) {
  EarlyReads early{std::vector<bool>(sources.size()), std::vector<IconImageSetPtr>(sources.size())};
  std::set<std::string> written;
  for (size_t number = 0; number < sources.size(); ++number)
    written.insert(Comparable(std::string(FileName(job, static_cast<int>(number)))));
  for (size_t i = 0; i < sources.size(); ++i) {
    if (!written.count(Comparable(sources[i].path))) continue;
    early.sets[i] = reader.Read(sources[i]);
    early.done[i] = true;
  }
  return early;
}

bool WriteIcon(const IconFileIO& io, const IconImageSet& set, const CString& path, const std::string& type) {
  if (type == "ico") return io.SaveIcoFile(set, std::string(path));
  if (type == "bmp") return io.SaveImageAsBmp(std::string(path), set);
  if (type == "png") return io.SavePngFile(set, std::string(path));
  return false;
}

// Shows the count on the bar and the label. Each message to them waits for
// the user-interface thread, which redraws at once; a redraw more often than
// the screen could show costs the worker more than the writing itself, so
// changes are shown at most once a frame, and the last one always.
class ProgressDisplay {
 public:
  explicit ProgressDisplay(const SaveJob& job) : m_job(job) {}

  void Update(int done) {
    if (::GetTickCount() - m_shownAt >= kFrameMilliseconds) Show(done);
  }
  void Flush(int done) {
    if (done != m_shownDone) Show(done);
  }

 private:
  static constexpr DWORD kFrameMilliseconds = 16;

  void Show(int done) {
    m_shownDone = done;
    m_shownAt = ::GetTickCount();
    ::SendMessageA(m_job.bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
    const int percent = m_job.total > 0 ? static_cast<int>(static_cast<int64_t>(done) * 100 / m_job.total) : 0;
    if (percent == m_shownPercent) return;
    m_shownPercent = percent;
    ::SetWindowTextA(m_job.percentLabel, std::to_string(percent).c_str());
  }

  const SaveJob& m_job;
  int m_shownDone = 0;
  int m_shownPercent = 0;
  DWORD m_shownAt = ::GetTickCount() - kFrameMilliseconds;
};

}  // namespace

bool SaveIcons(const SaveJob& job, const std::vector<SaveSource>& sources, const std::atomic<LONG>& stop, int& done) {
  const IconFileIO io(ShowBmpMessage);
  SourceReader reader;
  ProgressDisplay progress(job);
  EarlyReads early = ReadThreatenedSources(job, sources, reader);
  int nextNumber = 0;
  for (size_t i = 0; i < sources.size(); ++i) {
    if (stop.load()) {
      progress.Flush(done);
      return false;
    }
    // Released at the end of each pass, also when the write fails.
    const IconImageSetPtr set = early.done[i] ? std::move(early.sets[i]) : reader.Read(sources[i]);
    if (!set) continue;
    if (!WriteIcon(io, *set, FileName(job, nextNumber++), job.type)) continue;
    ++done;
    progress.Update(done);
  }
  progress.Flush(done);
  return true;
}
