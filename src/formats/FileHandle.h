#pragma once
// Owners of the files the readers and writers open, so that every early return
// closes what was opened.

#include <cstdio>
#include <memory>
#include <string>

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

inline FilePtr OpenForReading(const std::string& path) { return FilePtr(std::fopen(path.c_str(), "rb")); }

// A file being written: created (or replaced) on Create, kept only when Finish
// succeeds. Dropped unfinished, it is closed and removed, so a failed write
// leaves no half-written file behind.
class OutputFile {
 public:
  explicit OutputFile(std::string path) : m_path(std::move(path)) {}
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile() {
    if (!m_file) return;
    m_file.reset();
    std::remove(m_path.c_str());
  }

  bool Create() {
    m_file.reset(std::fopen(m_path.c_str(), "wb"));
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
    if (!closed) std::remove(m_path.c_str());
    return closed;
  }

 private:
  std::string m_path;
  FilePtr m_file;
};
