#pragma once
// A device-independent bitmap with a colour table, kept as one block (header,
// colour table, pixels) that can be edited directly and drawn many times.
// The DIB section and memory DC used to draw it are made on the first draw
// and kept; each draw only copies the pixel bytes into the section.

#include <windows.h>

#include <cstdint>
#include <vector>

class CPaletteDib {
 public:
  CPaletteDib() = default;
  CPaletteDib(const CPaletteDib&) = delete;
  CPaletteDib& operator=(const CPaletteDib&) = delete;
  ~CPaletteDib();

  // A black picture of width by height (stored bottom-up); a width or height
  // of 0 makes an empty one that draws nothing.
  void CreateDib(int width, int height, int bitCount);
  // Ignored when index is not below the colour count.
  void SetPaletteEntry(int index, BYTE red, BYTE green, BYTE blue);
  // Black for an index outside the colour table.
  COLORREF GetPaletteEntry(int index) const;
  // Moves every colour-table entry percent (at most 100) of the way toward colour.
  void BlendPalette(COLORREF colour, int percent);
  // Same size, depth, colours and pixels as other.
  void CopyFrom(const CPaletteDib& other);

  BYTE* GetBits() { return m_block.data() + PixelOffset(); }
  const BYTE* GetBits() const { return m_block.data() + PixelOffset(); }
  int GetLineBytes() const { return m_lineBytes; }
  int GetWidth() const { return m_header.biWidth; }
  int GetHeight() const { return m_header.biHeight; }
  int GetColourCount() const { return m_colourCount; }

  void DrawAt(HDC dc, int x, int y);

 private:
  size_t PixelOffset() const { return sizeof(BITMAPINFOHEADER) + m_colourCount * sizeof(RGBQUAD); }
  RGBQUAD* ColourTable() { return reinterpret_cast<RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER)); }
  // The section holds a copy of the colour table: any change to the block's
  // header or colours makes a new one on the next draw.
  void ReleaseSection();

  std::vector<BYTE> m_block = std::vector<BYTE>(sizeof(BITMAPINFOHEADER));
  BITMAPINFOHEADER m_header{sizeof(BITMAPINFOHEADER), 0, 0, 1, 0, BI_RGB, 0, 0, 0, 0, 0};
  int m_lineBytes = 0;
  int m_colourCount = 0;
  HBITMAP m_section = nullptr;
  HDC m_memoryDC = nullptr;
  void* m_sectionBits = nullptr;
};
