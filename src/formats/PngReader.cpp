// zlib's input pointer is then const, as it never writes there.
#define ZLIB_CONST
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "formats/ByteReader.h"
#include "formats/IconPixels.h"
#include "formats/PngFormat.h"

namespace {

constexpr uint32_t kMaxChunkBytes = 0x7FFFFFFF;

struct PngChunk {
  std::string type;
  ByteReader data;
};

// The chunks up to IEND, each checksum verified; nothing when the signature,
// a checksum or a length is wrong or the stream ends first.
std::optional<std::vector<PngChunk>> ReadChunks(const ByteReader& stream) {
  if (!stream.Has(0, sizeof kPngSignature) || std::memcmp(stream.Data(), kPngSignature, sizeof kPngSignature) != 0)
    return std::nullopt;
  std::vector<PngChunk> chunks;
  for (uint64_t at = sizeof kPngSignature;;) {
    const auto length = stream.U32BigEndian(at);
    if (!length || *length > kMaxChunkBytes) return std::nullopt;
    const auto typeAndData = stream.Slice(at + 4, 4 + static_cast<uint64_t>(*length));
    const auto crc = stream.U32BigEndian(at + 8 + *length);
    if (!typeAndData || !crc) return std::nullopt;
    if (crc32(crc32(0, nullptr, 0), typeAndData->Data(), static_cast<uInt>(typeAndData->Size())) != *crc)
      return std::nullopt;
    PngChunk chunk{std::string(reinterpret_cast<const char*>(typeAndData->Data()), 4), *typeAndData->Slice(4, *length)};
    if (chunk.type == "IEND") return chunks;
    chunks.push_back(std::move(chunk));
    at += 12 + static_cast<uint64_t>(*length);
  }
}

struct PngHeader {
  uint32_t width = 0;
  uint32_t height = 0;
  uint8_t depth = 0;
  uint8_t colourType = 0;
  bool interlaced = false;
  uint32_t channels = 0;
};

// The channels of a colour type, 0 when the depth is not allowed with it.
uint32_t ChannelsOf(uint8_t colourType, uint8_t depth) {
  const bool upTo8 = depth == 1 || depth == 2 || depth == 4 || depth == 8;
  switch (colourType) {
    case 0: return upTo8 || depth == 16 ? 1 : 0;  // grey
    case 2: return depth == 8 || depth == 16 ? 3 : 0;  // RGB
    case 3: return upTo8 ? 1 : 0;  // palette index
    case 4: return depth == 8 || depth == 16 ? 2 : 0;  // grey and alpha
    case 6: return depth == 8 || depth == 16 ? 4 : 0;  // RGBA
    default: return 0;
  }
}

std::optional<PngHeader> ReadHeader(const ByteReader& data) {
  if (data.Size() != 13) return std::nullopt;
  PngHeader header;
  header.width = *data.U32BigEndian(0);
  header.height = *data.U32BigEndian(4);
  header.depth = *data.U8(8);
  header.colourType = *data.U8(9);
  const uint8_t compression = *data.U8(10), filter = *data.U8(11), interlace = *data.U8(12);
  header.channels = ChannelsOf(header.colourType, header.depth);
  header.interlaced = interlace == 1;
  if (header.channels == 0 || compression != 0 || filter != 0 || interlace > 1) return std::nullopt;
  if (header.width == 0 || header.height == 0) return std::nullopt;
  if (static_cast<uint64_t>(header.width) * header.height > kMaxDecodedPixels) return std::nullopt;
  return header;
}

// One pass of the image: where its pixels go, and its rows' length in bytes.
struct Pass {
  uint32_t x0, y0, dx, dy;
  uint32_t width = 0, height = 0;
  size_t rowBytes = 0;
};

// The seven passes of an interlaced image, or the whole image as one; passes
// that hold no pixel are left out.
std::vector<Pass> PassesOf(const PngHeader& header) {
  const std::vector<Pass> shapes =
      header.interlaced ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                            {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
                        : std::vector<Pass>{{0, 0, 1, 1}};
  std::vector<Pass> passes;
  for (Pass pass : shapes) {
    if (header.width <= pass.x0 || header.height <= pass.y0) continue;
    pass.width = (header.width - pass.x0 + pass.dx - 1) / pass.dx;
    pass.height = (header.height - pass.y0 + pass.dy - 1) / pass.dy;
    pass.rowBytes = (static_cast<size_t>(pass.width) * header.channels * header.depth + 7) / 8;
    passes.push_back(pass);
  }
  return passes;
}

// Undoes the filter of one row in place, given the row above it in its pass
// (null for a pass's first row); false on an unknown filter type.
bool UnfilterRow(uint8_t type, uint8_t* row, const uint8_t* up, size_t rowBytes, size_t pixelBytes) {
  for (size_t i = 0; i < rowBytes; ++i) {
    const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
    const int above = up ? up[i] : 0;
    const int upLeft = up && i >= pixelBytes ? up[i - pixelBytes] : 0;
    switch (type) {
      case 0: break;
      case 1: row[i] = static_cast<uint8_t>(row[i] + left); break;
      case 2: row[i] = static_cast<uint8_t>(row[i] + above); break;
      case 3: row[i] = static_cast<uint8_t>(row[i] + (left + above) / 2); break;
      case 4: row[i] = static_cast<uint8_t>(row[i] + PaethPredictor(left, above, upLeft)); break;
      default: return false;
    }
  }
  return true;
}

// Colours and transparency from the chunks around the image data.
struct Palette {
  ByteReader colours;       // PLTE: R, G, B per entry
  ByteReader transparency;  // tRNS as stored
};

class PixelWriter {
 public:
  PixelWriter(const PngHeader& header, const Palette& palette, RgbaImage& image)
      : m_header(header), m_palette(palette), m_image(image) {}

  // Row y of a pass, unfiltered, into its pixels of the image.
  void WriteRow(const uint8_t* row, const Pass& pass, uint32_t y) const {
    for (uint32_t x = 0; x < pass.width; ++x) {
      const size_t at = (static_cast<size_t>(pass.y0 + y * pass.dy) * m_header.width + pass.x0 + x * pass.dx) * 4;
      WritePixel(row, x, m_image.pixels.data() + at);
    }
  }

 private:
  // Sample c of pixel x, as stored (up to 16 bits).
  uint32_t Sample(const uint8_t* row, uint32_t x, uint32_t c) const {
    const uint32_t depth = m_header.depth;
    const size_t index = static_cast<size_t>(x) * m_header.channels + c;
    if (depth == 16) return (row[index * 2] << 8) | row[index * 2 + 1];
    if (depth == 8) return row[index];
    const size_t bit = index * depth;
    return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
  }

  uint8_t To8Bits(uint32_t sample) const {
    const uint32_t max = (1u << m_header.depth) - 1;
    return static_cast<uint8_t>((sample * 255 + max / 2) / max);
  }

  // The tRNS key colour of grey and RGB images, one 16-bit value per sample:
  // a pixel equal to it is transparent.
  bool MatchesKey(const uint8_t* row, uint32_t x) const {
    const ByteReader& key = m_palette.transparency;
    const uint32_t samples = m_header.colourType == 0 ? 1 : 3;
    if (!key.Has(0, samples * 2)) return false;
    for (uint32_t c = 0; c < samples; ++c)
      if (Sample(row, x, c) != static_cast<uint32_t>(*key.U8(c * 2) << 8 | *key.U8(c * 2 + 1))) return false;
    return true;
  }

  void WritePixel(const uint8_t* row, uint32_t x, uint8_t* out) const {
    switch (m_header.colourType) {
      case 0: {
        const uint8_t grey = To8Bits(Sample(row, x, 0));
        out[0] = out[1] = out[2] = grey;
        out[3] = MatchesKey(row, x) ? 0 : 255;
        return;
      }
      case 2:
        for (uint32_t c = 0; c < 3; ++c) out[c] = To8Bits(Sample(row, x, c));
        out[3] = MatchesKey(row, x) ? 0 : 255;
        return;
      case 3: {
        const uint32_t index = Sample(row, x, 0);
        const auto alpha = m_palette.transparency.U8(index);
        if (m_palette.colours.Has(index * 3, 3)) {
          std::memcpy(out, m_palette.colours.Data() + index * 3, 3);
        } else {
          out[0] = out[1] = out[2] = 0;
        }
        out[3] = alpha ? *alpha : 255;
        return;
      }
      case 4:
        out[0] = out[1] = out[2] = To8Bits(Sample(row, x, 0));
        out[3] = To8Bits(Sample(row, x, 1));
        return;
      default:
        for (uint32_t c = 0; c < 4; ++c) out[c] = To8Bits(Sample(row, x, c));
        return;
    }
  }

  const PngHeader& m_header;
  const Palette& m_palette;
  RgbaImage& m_image;
};

// The image data of the IDAT chunks, inflated a row at a time: only two rows
// of it are ever held.
class Inflater {
 public:
  explicit Inflater(std::vector<ByteReader> chunks)
      : m_chunks(std::move(chunks)), m_started(inflateInit(&m_stream) == Z_OK) {}
  ~Inflater() {
    if (m_started) inflateEnd(&m_stream);
  }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  // Exactly `length` bytes; false on a damaged stream or too little data.
  bool Read(uint8_t* out, size_t length) {
    if (!m_started) return false;
    m_stream.next_out = out;
    m_stream.avail_out = static_cast<uInt>(length);
    while (m_stream.avail_out != 0) {
      if (m_stream.avail_in == 0) {
        if (m_next == m_chunks.size()) return false;
        const ByteReader& chunk = m_chunks[m_next++];
        m_stream.next_in = chunk.Data();
        m_stream.avail_in = static_cast<uInt>(chunk.Size());
        continue;
      }
      const int status = inflate(&m_stream, Z_NO_FLUSH);
      if (status == Z_STREAM_END) return m_stream.avail_out == 0;
      if (status != Z_OK) return false;
    }
    return true;
  }

 private:
  z_stream m_stream = {};
  std::vector<ByteReader> m_chunks;
  size_t m_next = 0;
  const bool m_started;
};

// Deflate never yields more than 1032 bytes for one it reads, so image data
// that would need more is refused before the pixels are allocated.
constexpr uint64_t kMaxInflateRatio = 1032;

std::optional<RgbaImage> Decode(const std::vector<PngChunk>& chunks) {
  if (chunks.empty() || chunks.front().type != "IHDR") return std::nullopt;
  const auto header = ReadHeader(chunks.front().data);
  if (!header) return std::nullopt;

  Palette palette;
  std::vector<ByteReader> data;
  uint64_t dataBytes = 0;
  for (const PngChunk& chunk : chunks) {
    if (chunk.type == "PLTE") palette.colours = chunk.data;
    if (chunk.type == "tRNS") palette.transparency = chunk.data;
    if (chunk.type == "IDAT") {
      data.push_back(chunk.data);
      dataBytes += chunk.data.Size();
    }
  }
  if (header->colourType == 3 && palette.colours.Size() == 0) return std::nullopt;
  const std::vector<Pass> passes = PassesOf(*header);
  uint64_t expected = 0;
  for (const Pass& pass : passes) expected += (pass.rowBytes + 1) * static_cast<uint64_t>(pass.height);
  if (expected > dataBytes * kMaxInflateRatio) return std::nullopt;

  RgbaImage image;
  image.width = header->width;
  image.height = header->height;
  image.pixels.resize(static_cast<size_t>(header->width) * header->height * 4);
  const PixelWriter writer(*header, palette, image);
  const size_t pixelBytes = std::max<size_t>(1, header->channels * header->depth / 8);
  Inflater inflater(std::move(data));
  std::vector<uint8_t> row, above;
  for (const Pass& pass : passes) {
    // A filter byte, then the row.
    row.assign(pass.rowBytes + 1, 0);
    above.assign(pass.rowBytes + 1, 0);
    for (uint32_t y = 0; y < pass.height; ++y) {
      if (!inflater.Read(row.data(), row.size())) return std::nullopt;
      if (!UnfilterRow(row[0], row.data() + 1, y > 0 ? above.data() + 1 : nullptr, pass.rowBytes, pixelBytes))
        return std::nullopt;
      writer.WriteRow(row.data() + 1, pass, y);
      row.swap(above);
    }
  }
  return image;
}

}  // namespace

std::optional<RgbaImage> DecodePng(const uint8_t* data, size_t size) {
  try {
    const auto chunks = ReadChunks(ByteReader(data, size));
    if (!chunks) return std::nullopt;
    return Decode(*chunks);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}
