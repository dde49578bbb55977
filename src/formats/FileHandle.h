#pragma once
// Owners of the files the readers and writers open, so that every early return
// closes what was opened.

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// The one place the core opens files. Paths are UTF-8; on Windows they are
// opened through their UTF-16 names, and a path that is not UTF-8 as a name
// in the ANSI code page (the form the window may still hand over). Null, with
// errno set, when the file cannot be opened.
FilePtr OpenFile(const std::string& path, const char* mode);
// A file made for writing under a name no file holds yet; null with errno
// EEXIST when the name is taken, even by another process at the same moment.
FilePtr CreateNewFile(const std::string& path);
bool RemoveFile(const std::string& path);

inline FilePtr OpenForReading(const std::string& path) { return OpenFile(path, "rb"); }

// A file being written: created on Create, kept only when Finish succeeds.
// Dropped unfinished, it is closed and removed, so a failed write leaves no
// half-written file behind. On failure errno holds the system's reason.
class OutputFile {
 public:
  // Replace: a file of that name is replaced, as the program's Save does.
  // New: only a name that no file holds is taken.
  enum class Creation { Replace, New };
  explicit OutputFile(std::string path, Creation creation = Creation::Replace)
      : m_path(std::move(path)), m_creation(creation) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (!m_file) return;
    m_file.reset();
    RemoveKeepingReason();
  }

  bool Create() {
    m_file = m_creation == Creation::New ? CreateNewFile(m_path) : OpenFile(m_path, "wb");
    return m_file != nullptr;
  }
  bool Write(const void* data, size_t length) {
    return length == 0 || std::fwrite(data, 1, length, m_file.get()) == length;
  }
  std::FILE* Get() const { return m_file.get(); }
  // Closes the file; false (and the file removed) when the last bytes could not be flushed.
  bool Finish() {
    if (!m_file) return false;
    const bool closed = std::fclose(m_file.release()) == 0;
    if (!closed) RemoveKeepingReason();
    return closed;
  }

 private:
  void RemoveKeepingReason() const {
    const int reason = errno;
    RemoveFile(m_path);
    errno = reason;
  }

  std::string m_path;
  Creation m_creation;
  FilePtr m_file;
};
