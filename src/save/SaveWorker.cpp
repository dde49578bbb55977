#include "save/SaveWorker.h"

#include <commctrl.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "formats/IconFileIO.h"
#include "framework/FileFind.h"
#include "save/SaveNaming.h"
#include "save/ScopedHandle.h"

namespace {

// The full path in lower case: how the file system tells two names of one
// file apart when the file itself cannot be asked.
std::string Comparable(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = ::GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  std::string comparable = length > 0 && length < MAX_PATH ? std::string(full, length) : path;
  if (!comparable.empty()) ::CharLowerBuffA(&comparable[0], static_cast<DWORD>(comparable.size()));
  return comparable;
}

// Which file a name reaches, whatever the name: links, junctions, other
// drives and short names all lead to the same volume and index.
using FileIdentity = std::tuple<DWORD, DWORD, DWORD>;

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const ScopedHandle file(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.IsValid() || !::GetFileInformationByHandle(file.Get(), &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
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
  std::vector<std::string> problems;  // why a source read early gave nothing
};

class WrittenNames {
 public:
  WrittenNames(const SaveJob& job, size_t count) {
    // One look at the folder tells which of the names exist: only those can
    // be another name of a source, so only those are opened.
    std::set<std::string> existing;
    CFileFind find;
    const std::string pattern = std::string(WithTrailingBackslash(job.folder.c_str())) + job.baseName + "_*." + job.type;
    for (BOOL more = find.FindFile(pattern.c_str()); more;) {
      more = find.FindNextFile();
      existing.insert(Comparable(std::string(find.GetFilePath())));
    }
    for (size_t number = 0; number < count; ++number) {
      const std::string name(FileName(job, static_cast<int>(number)));
      const std::string text = Comparable(name);
      const auto identity = existing.count(text) ? IdentityOf(name) : std::nullopt;
      if (identity) m_identities.insert(*identity);
      else m_texts.insert(text);
    }
  }

  // Names that lead to no file yet cannot be an existing source under any
  // other name, so only their text is compared.
  bool MayReplace(const std::string& source) {
    if (m_identities.empty()) return m_texts.count(Comparable(source)) != 0;
    auto known = m_sourceIdentities.find(source);
    if (known == m_sourceIdentities.end()) known = m_sourceIdentities.emplace(source, IdentityOf(source)).first;
    return known->second ? m_identities.count(*known->second) != 0 : m_texts.count(Comparable(source)) != 0;
  }

 private:
  std::set<FileIdentity> m_identities;
  std::set<std::string> m_texts;
  // Many icons share one module: each is asked once.
  std::map<std::string, std::optional<FileIdentity>> m_sourceIdentities;
};

EarlyReads ReadThreatenedSources(const SaveJob& job, const std::vector<SaveSource>& sources, SourceReader& reader) {
  EarlyReads early{std::vector<bool>(sources.size()), std::vector<IconImageSetPtr>(sources.size()),
                   std::vector<std::string>(sources.size())};
  WrittenNames written(job, sources.size());
  for (size_t i = 0; i < sources.size(); ++i) {
    if (!written.MayReplace(sources[i].path)) continue;
    early.sets[i] = reader.Read(sources[i]);
    early.problems[i] = reader.Problem();
    early.done[i] = true;
  }
  return early;
}

bool WriteIcon(const IconFileIO& io, const IconImageSet& set, const std::string& path, const std::string& type) {
  if (type == "ico") return io.SaveIcoFile(set, path);
  if (type == "bmp") return io.SaveImageAsBmp(path, set);
  if (type == "png") return io.SavePngFile(set, path);
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

bool SaveIcons(const SaveJob& job, const std::vector<SaveSource>& sources, const std::atomic<LONG>& stop, int& done,
               std::vector<SaveFailure>& failures) {
  // The summary after the save names every failed file, a bitmap's too.
  const IconFileIO io;
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
    if (!set) {
      failures.push_back(SaveFailure{sources[i], std::string(), early.done[i] ? early.problems[i] : reader.Problem()});
      continue;
    }
    const std::string name(FileName(job, nextNumber++));
    errno = 0;
    if (!WriteIcon(io, *set, name, job.type)) {
      const int error = errno;
      failures.push_back(SaveFailure{sources[i], name, WriteFailureReason(name, error)});
      continue;
    }
    ++done;
    progress.Update(done);
  }
  progress.Flush(done);
  return true;
}
