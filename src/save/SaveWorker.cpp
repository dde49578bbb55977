#include "save/SaveWorker.h"

#include <winternl.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <tuple>

#include "formats/IconFileIO.h"
#include "framework/FileFind.h"
#include "save/SaveNaming.h"
#include "framework/Handle.h"

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

CKernelHandle OpenForQuery(const std::string& path) {
  return CKernelHandle(::CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

std::optional<FileIdentity> IdentityOf(HANDLE file) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!::GetFileInformationByHandle(file, &info)) return std::nullopt;
  return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::optional<FileIdentity> IdentityOf(const std::string& path) {
  const CKernelHandle file = OpenForQuery(path);
  return static_cast<bool>(file) ? IdentityOf(file.Get()) : std::nullopt;
}

uint64_t IndexOf(const FileIdentity& identity) {
  return uint64_t{std::get<1>(identity)} << 32 | std::get<2>(identity);
}

// The file's index alone. The volume's serial that the full identity holds
// costs Wine a call to another process for every file, about 2 ms, so it is
// asked only of a name whose index is also a source's.
// The native call is looked up in the loaded system layer rather than
// imported: the program imports only the documented system DLLs. Without it,
// the full identity's index serves.
std::optional<uint64_t> IndexOf(HANDLE file) {
  using QueryFile = LONG(WINAPI*)(HANDLE, IO_STATUS_BLOCK*, void*, ULONG, FILE_INFORMATION_CLASS);
  static const auto query = reinterpret_cast<QueryFile>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
  if (!query) {
    const auto identity = IdentityOf(file);
    return identity ? std::optional<uint64_t>(IndexOf(*identity)) : std::nullopt;
  }
  IO_STATUS_BLOCK status{};
  FILE_INTERNAL_INFORMATION info{};
  if (query(file, &status, &info, sizeof info, FileInternalInformation) < 0) return std::nullopt;
  return static_cast<uint64_t>(info.IndexNumber.QuadPart);
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
  WrittenNames(const SaveJob& job, const std::vector<SaveSource>& sources) {
    // One look at the folder tells which of the names exist: only those can
    // be another name of a source, so only those are opened.
    std::set<std::string> existing;
    CFileFind find;
    const std::string pattern = std::string(WithTrailingBackslash(job.folder.c_str())) + job.baseName + "_*." + job.type;
    for (BOOL more = find.FindFile(pattern.c_str()); more;) {
      more = find.FindNextFile();
      existing.insert(Comparable(std::string(find.GetFilePath())));
    }
    // Many icons share one module: each source file is asked once.
    std::set<uint64_t> sourceIndexes;
    for (const SaveSource& source : sources) {
      if (existing.empty() || m_sourceIdentities.count(source.path)) continue;
      const auto identity = IdentityOf(source.path);
      m_sourceIdentities.emplace(source.path, identity);
      if (identity) sourceIndexes.insert(IndexOf(*identity));
    }
    for (size_t number = 0; number < sources.size(); ++number) {
      const std::string name(FileName(job, static_cast<int>(number)));
      const std::string text = Comparable(name);
      const CKernelHandle file = existing.count(text) ? OpenForQuery(name) : CKernelHandle();
      const auto index = static_cast<bool>(file) ? IndexOf(file.Get()) : std::nullopt;
      // Another index is another file than every source whose identity is known.
      if (index && !sourceIndexes.count(*index)) continue;
      const auto identity = static_cast<bool>(file) ? IdentityOf(file.Get()) : std::nullopt;
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
    const auto identity = m_sourceIdentities.find(source);
    if (identity != m_sourceIdentities.end() && identity->second && m_identities.count(*identity->second)) return true;
    return m_texts.count(Comparable(source)) != 0;
  }

  std::map<std::string, std::optional<FileIdentity>> m_sourceIdentities;
  std::set<FileIdentity> m_identities;
  std::set<std::string> m_texts;
  // Each source is judged once.
  std::map<std::string, bool> m_verdicts;
};

EarlyReads ReadThreatenedSources(const SaveJob& job, const std::vector<SaveSource>& sources, SourceReader& reader) {
  EarlyReads early{std::vector<bool>(sources.size()), std::vector<IconImageSetPtr>(sources.size()),
                   std::vector<std::string>(sources.size())};
  WrittenNames written(job, sources);
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
