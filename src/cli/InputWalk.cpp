#include "cli/InputWalk.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>

#include "cli/Paths.h"
#include "formats/FileTypes.h"

namespace fs = std::filesystem;

namespace {

class FolderWalk {
 public:
  FolderWalk(Outcome& outcome, const FileVisitor& visit) : m_outcome(outcome), m_visit(visit) {}

  void Walk(const fs::path& folder) {
    // A link back up the tree leads to a folder already seen under its real path.
    std::error_code error;
    const fs::path real = fs::canonical(folder, error);
    if (error || !m_visited.insert(real).second) return;

    std::vector<fs::path> entries;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
      entries.push_back(it->path());
    if (error) m_outcome.Refused(Utf8Path(folder), "cannot be read: " + error.message());
    std::sort(entries.begin(), entries.end());

    for (const fs::path& entry : entries) {
      const fs::file_status status = fs::status(entry, error);
      if (fs::is_directory(status)) {
        Walk(entry);
      } else if (fs::is_regular_file(status) && FindFileType(LowercaseExtension(Utf8Path(entry.filename())))) {
        m_visit(Utf8Path(entry), false);
      }
    }
  }

 private:
  Outcome& m_outcome;
  const FileVisitor& m_visit;
  std::set<fs::path> m_visited;
};

}  // namespace

void ForEachInput(const std::vector<std::string>& paths, bool recursive, Outcome& outcome, const FileVisitor& visit) {
  FolderWalk walk(outcome, visit);
  for (const std::string& path : paths) {
    std::error_code error;
    const fs::file_status status = fs::status(FsPath(path), error);
    if (!fs::is_directory(status)) {
      visit(path, true);  // the reader names what is wrong with it
    } else if (recursive) {
      walk.Walk(FsPath(path));
    } else {
      outcome.Refused(path, "is a folder (-r searches folders)");
    }
  }
}
