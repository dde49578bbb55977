#include "cli/OutputNames.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "cli/IconFiles.h"
#include "cli/Paths.h"
#include "formats/FileHandle.h"

namespace fs = std::filesystem;

namespace {

// Far more than any folder holds of one name; a bound, so the search ends.
constexpr int kMaxNumber = 100000;

std::string Sanitised(std::string name) {
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 0x20 || std::string("/\\:*?\"<>|").find(c) != std::string::npos) c = '_';
  return name;
}

std::string SystemReason(const std::string& fallback) { return errno != 0 ? std::strerror(errno) : fallback; }

}  // namespace

std::string OutputBase(const std::string& inputPath, const std::optional<ResourceName>& group) {
  const fs::path input = FsPath(inputPath);
  if (!group) return Sanitised(Utf8Path(input.stem()));
  return Sanitised(Utf8Path(input.filename()) + "-" + GroupName(*group));
}

std::string TreeFolder(const std::string& root, const std::string& file) {
  fs::path folder = FsPath(root).lexically_normal();
  if (!folder.has_filename() && folder.has_relative_path()) folder = folder.parent_path();
  return Utf8Path(FsPath(file).lexically_normal().lexically_relative(folder).parent_path());
}

FileWriter BytesWriter(const std::vector<uint8_t>& bytes) {
  return [&bytes](const std::string& path) {
    OutputFile file(path);
    return file.Create() && file.Write(bytes.data(), bytes.size()) && file.Finish();
  };
}

std::string OutputFolder::PathOf(const std::string& base, int number, const std::string& extension) const {
  return Utf8Path(FsPath(m_folder) / FsPath(base + (number == 0 ? "" : "-" + std::to_string(number)) + extension));
}

std::optional<std::string> OutputFolder::Claim(const std::string& base, const std::string& extension,
                                               OutputFailure& failure) const {
  for (int number = 0; number <= kMaxNumber; ++number) {
    const std::string path = PathOf(base, number, extension);
    OutputFile file(path, OutputFile::Creation::New);
    // Taken (a dangling link too): the next number. Any other refusal, a name
    // too long or a folder that may not be written, is the same for every number.
    if (!file.Create() && errno == EEXIST) continue;
    if (file.Get() && file.Finish()) return path;
    failure = {path, "cannot be created: " + SystemReason("unknown error"), errno};
    return std::nullopt;
  }
  failure = {PathOf(base, 0, extension), "cannot be created: every numbered name is taken"};
  return std::nullopt;
}

std::optional<OutputFailure> OutputFolder::Write(const std::string& base, const std::string& extension,
                                                 const FileWriter& write) {
  OutputFailure failure;
  std::optional<std::string> path;
  if (m_overwrite) {
    for (int number = 0; number <= kMaxNumber && !path; ++number)
      if (!m_written.count(PathOf(base, number, extension))) path = PathOf(base, number, extension);
    if (!path) return OutputFailure{PathOf(base, 0, extension), "cannot be created: every numbered name is taken"};
    if (auto replaced = Replace(*path, write)) return replaced;
  } else {
    path = Claim(base, extension, failure);
    if (!path) return failure;
    errno = 0;
    // The claimed file is this run's own: the writer replaces it, and removes it when it fails.
    if (!write(*path)) return OutputFailure{*path, "cannot be written: " + SystemReason("the icon cannot be written"), errno};
  }
  m_written.insert(*path);
  return std::nullopt;
}

// Written whole beside the target, then moved over it in one step, so that a
// failed write leaves the user's file as it was.
std::optional<OutputFailure> OutputFolder::Replace(const std::string& path, const FileWriter& write) const {
  OutputFailure failure;
  const auto part = Claim(Utf8Path(FsPath(path).filename()), ".part", failure);
  if (!part) return failure;
  errno = 0;
  if (!write(*part)) return OutputFailure{path, "cannot be written: " + SystemReason("the icon cannot be written"), errno};
  std::error_code error;
  fs::rename(FsPath(*part), FsPath(path), error);
  if (!error) return std::nullopt;
  RemoveFile(*part);
  return OutputFailure{path, "cannot be replaced: " + error.message(), error.value()};
}
