#include "formats/ByteSource.h"

#include <climits>
#include <cstring>
#include <new>
#include <stdexcept>

#include "formats/FileHandle.h"

bool ByteSource::ReadInto(uint64_t offset, size_t length, std::vector<uint8_t>& out) const {
  if (!Has(offset, length)) return false;
  // A length the file claims may be more than this process can hold: refused
  // like any other bad claim, never an exception that ends the program.
  try {
    out.resize(length);
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::length_error&) {
    return false;
  }
  if (length == 0) return true;
  return ReadAt(offset, out.data(), length);
}

bool MemorySource::ReadAt(uint64_t offset, void* out, size_t length) const {
  if (!Has(offset, length)) return false;
  if (length != 0) std::memcpy(out, m_bytes.data() + offset, length);
  return true;
}

std::unique_ptr<FileSource> FileSource::Open(const std::string& path) {
  std::FILE* file = OpenForReading(path).release();
  if (!file) return nullptr;
  if (std::fseek(file, 0, SEEK_END) != 0) {
    std::fclose(file);
    return nullptr;
  }
  const long end = std::ftell(file);
  if (end < 0) {
    std::fclose(file);
    return nullptr;
  }
  return std::unique_ptr<FileSource>(new FileSource(file, static_cast<uint64_t>(end)));
}

FileSource::~FileSource() { std::fclose(m_file); }

bool FileSource::ReadAt(uint64_t offset, void* out, size_t length) const {
  if (!Has(offset, length)) return false;
  if (length == 0) return true;
  if (offset > static_cast<uint64_t>(LONG_MAX)) return false;
  if (std::fseek(m_file, static_cast<long>(offset), SEEK_SET) != 0) return false;
  return std::fread(out, 1, length, m_file) == length;
}
