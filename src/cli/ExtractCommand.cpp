#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "cli/Commands.h"
#include "cli/GroupOutputs.h"
#include "cli/InputWalk.h"
#include "cli/OutputNames.h"
#include "cli/Paths.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// A full disk fails every later file the same way: the run stops at the first.
bool DiskIsFull(int error) {
#ifdef EDQUOT
  if (error == EDQUOT) return true;
#endif
  return error == ENOSPC;
}

std::error_code MakeFolder(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(FsPath(folder), error);
  if (!error && !std::filesystem::is_directory(FsPath(folder), error))
    error = std::make_error_code(std::errc::not_a_directory);
  return error;
}

class ExtractRun {
 public:
  explicit ExtractRun(const Options& options)
      : m_options(options), m_selection(options.groupNames), m_folder(options.outputFolder, options.overwrite) {}
  int Run();

 private:
  void ReadFile(const std::string& path, bool named, const std::string& below);
  void Put(GroupOutput output);
  bool WriteIntoFolder(const GroupOutput& output);
  bool Refused(const std::string& path, const std::string& problem, int error);
  int FinishStandardOutput();

  const Options& m_options;
  Outcome m_outcome;
  GroupSelection m_selection;
  OutputFolder m_folder;
  bool m_stopped = false;
  size_t m_results = 0;                // -o -: how many there were
  std::optional<GroupOutput> m_single;  // and the first
};

int ExtractRun::Run() {
  if (!m_options.ToStandardOutput()) {
    if (const std::error_code error = MakeFolder(m_options.outputFolder))
      m_outcome.Refused(m_options.outputFolder, "cannot be made a folder: " + error.message());
    if (m_outcome.AnyRefused()) return m_outcome.ExitStatus();
  }
  for (const std::string& root : m_options.paths) {
    ForEachInput({root}, m_options.recursive, m_outcome, [&](const std::string& path, bool named) {
      if (!m_stopped) ReadFile(path, named, named ? std::string() : TreeFolder(root, path));
    });
    if (m_stopped) break;
  }
  if (!m_stopped) m_selection.ReportUnfound(m_outcome);
  return m_options.ToStandardOutput() ? FinishStandardOutput() : m_outcome.ExitStatus();
}

void ExtractRun::ReadFile(const std::string& path, bool named, const std::string& below) {
  const IconFileRead read = ReadIcons(path);
  TellReading(path, read, named, m_outcome);
  for (const IconGroup& group : read.groups) {
    // A group that lost every image has already been told.
    if (m_stopped || !m_selection.Takes(group.name) || group.set->images.empty()) continue;
    const std::string base = Utf8Path(FsPath(below) / FsPath(OutputBase(path, group.name)));
    for (GroupOutput& output : OutputsOfGroup(m_options, path, group, base, m_outcome))
      if (!m_stopped) Put(std::move(output));
  }
  m_outcome.FileDone(read.groups.size());
}

void ExtractRun::Put(GroupOutput output) {
  if (!m_options.ToStandardOutput()) {
    m_stopped = !WriteIntoFolder(output);
  } else if (++m_results == 1) {
    m_single = std::move(output);
  } else {
    m_stopped = true;  // a usage error, said once the run ends
  }
}

// False when the run must stop.
bool ExtractRun::WriteIntoFolder(const GroupOutput& output) {
  if (FsPath(output.base).has_parent_path()) {
    const std::string folder = Utf8Path((FsPath(m_options.outputFolder) / FsPath(output.base)).parent_path());
    if (const std::error_code error = MakeFolder(folder))
      return Refused(folder, "cannot be made a folder: " + error.message(), error.value());
  }
  const auto failure = m_folder.Write(output.base, output.extension, BytesWriter(output.bytes));
  return !failure || Refused(failure->path, failure->problem, failure->error);
}

bool ExtractRun::Refused(const std::string& path, const std::string& problem, int error) {
  m_outcome.Refused(path, problem);
  return !DiskIsFull(error);
}

int ExtractRun::FinishStandardOutput() {
  if (m_results > 1) {
    std::fputs("vantrel-extract: -o - writes one file, and these PATHs give more (pick a group with -n)\n"
               "Try 'vantrel-extract --help'.\n", stderr);
    return 2;
  }
  if (!m_single) {
    if (!m_outcome.AnyRefused()) m_outcome.Refused("standard output", "nothing written: no icon was found");
    return m_outcome.ExitStatus();
  }
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::vector<uint8_t>& bytes = m_single->bytes;
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);  // main checks stdout's errors
  return m_outcome.ExitStatus();
}

}  // namespace

int RunExtract(const Options& options) { return ExtractRun(options).Run(); }
