#pragma once
// Every field of untrusted bytes is read through this: it knows the buffer's
// length and answers "no" instead of reading past it.

#include <cstddef>
#include <cstdint>
#include <optional>

class ByteReader {
 public:
  ByteReader() = default;
  ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  size_t Size() const { return m_size; }
  const uint8_t* Data() const { return m_data; }

  bool Has(uint64_t offset, uint64_t length) const {
    return offset <= m_size && length <= m_size - offset;
  }

  std::optional<uint8_t> U8(uint64_t offset) const {
    if (!Has(offset, 1)) return std::nullopt;
    return m_data[offset];
  }
  std::optional<uint16_t> U16(uint64_t offset) const {
    if (!Has(offset, 2)) return std::nullopt;
    return static_cast<uint16_t>(m_data[offset] | (m_data[offset + 1] << 8));
  }
  std::optional<uint32_t> U32(uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return static_cast<uint32_t>(m_data[offset]) | (static_cast<uint32_t>(m_data[offset + 1]) << 8) |
           (static_cast<uint32_t>(m_data[offset + 2]) << 16) |
           (static_cast<uint32_t>(m_data[offset + 3]) << 24);
  }
  std::optional<int32_t> I32(uint64_t offset) const {
    const auto value = U32(offset);
    if (!value) return std::nullopt;
    return static_cast<int32_t>(*value);
  }
  std::optional<uint32_t> U32BigEndian(uint64_t offset) const {
    if (!Has(offset, 4)) return std::nullopt;
    return (static_cast<uint32_t>(m_data[offset]) << 24) | (static_cast<uint32_t>(m_data[offset + 1]) << 16) |
           (static_cast<uint32_t>(m_data[offset + 2]) << 8) | static_cast<uint32_t>(m_data[offset + 3]);
  }
  std::optional<ByteReader> Slice(uint64_t offset, uint64_t length) const {
    if (!Has(offset, length)) return std::nullopt;
    return ByteReader(m_data + offset, static_cast<size_t>(length));
  }

 private:
  const uint8_t* m_data = nullptr;
  size_t m_size = 0;
};
