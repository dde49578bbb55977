#pragma once
// Random access to the bytes of a file or of a buffer, refusing any read that
// does not lie wholly inside it. Modules are read piece by piece through this,
// so a large library costs only the parts that are looked at.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  // False, and nothing read, unless [offset, offset + length) lies inside the source.
  virtual bool ReadAt(uint64_t offset, void* out, size_t length) const = 0;

  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= Size() && length <= Size() - offset;
  }
  // The bytes, or false; never allocates past the source's size, and a length
  // too large to hold is false too.
  bool ReadInto(uint64_t offset, size_t length, std::vector<uint8_t>& out) const;
};

class MemorySource final : public ByteSource {
 public:
  explicit MemorySource(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) {}
  uint64_t Size() const override { return m_bytes.size(); }
  bool ReadAt(uint64_t offset, void* out, size_t length) const override;

 private:
  std::vector<uint8_t> m_bytes;
};

// Owns its open file; closes it when destroyed.
class FileSource final : public ByteSource {
 public:
  static std::unique_ptr<FileSource> Open(const std::string& path);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  uint64_t Size() const override { return m_size; }
  bool ReadAt(uint64_t offset, void* out, size_t length) const override;

 private:
  FileSource(std::FILE* file, uint64_t size) : m_file(file), m_size(size) {}
  std::FILE* m_file;
  uint64_t m_size;
};
