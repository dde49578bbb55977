#include "controls/SectionDC.h"

CSectionDC::CSectionDC(int width, int height) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
  m_dc = ::CreateCompatibleDC(nullptr);
  if (!m_bitmap || !m_dc) return;
  m_previous = ::SelectObject(m_dc, m_bitmap.Get());
  m_bits = static_cast<uint8_t*>(pixels);
}

CSectionDC::~CSectionDC() {
  if (m_previous) ::SelectObject(m_dc, m_previous);
  if (m_dc) ::DeleteDC(m_dc);
}
