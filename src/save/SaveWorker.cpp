#include "save/SaveWorker.h"

#include <cerrno>
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
    auto known = m_verdicts.find(source);
    if (known == m_verdicts.end()) known = m_verdicts.emplace(source, Judged(source)).first;
    return known->second;
  }

 private:
  bool Judged(const std::string& source) const {
    if (m_identities.empty()) return m_texts.count(Comparable(source)) != 0;
    const auto identity = IdentityOf(source);
    return identity ? m_identities.count(*identity) != 0 : m_texts.count(Comparable(source)) != 0;
  }

  std::set<FileIdentity> m_identities;
  std::set<std::string> m_texts;
  // Many icons share one module: each source is judged once.
  std::map<std::string, bool> m_verdicts;
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

}  // namespace

bool SaveIcons(const SaveJob& job, const std::vector<SaveSource>& sources, const std::atomic<LONG>& stop,
               std::atomic<int>& done, std::vector<SaveFailure>& failures) {
  // The summary after the save names every failed file, a bitmap's too.
  const IconFileIO io;
  SourceReader reader;
  EarlyReads early = ReadThreatenedSources(job, sources, reader);
  int nextNumber = 0;
  for (size_t i = 0; i < sources.size(); ++i) {
    if (stop.load()) return false;
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
    done.fetch_add(1, std::memory_order_relaxed);
  }
  return true;
}
