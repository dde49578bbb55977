#pragma once
// An ANSI text value (the program uses the system's ANSI code page and the A
// forms of Win32 throughout). Copies are independent; a null pointer reads as
// the empty text.

#include <windows.h>

#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : m_text(text ? text : "") {}
  CString(const char* text, int length)
      : m_text(text && length > 0 ? std::string(text, length) : std::string()) {}

  operator LPCSTR() const { return m_text.c_str(); }
  int GetLength() const { return static_cast<int>(m_text.size()); }
  BOOL IsEmpty() const { return m_text.empty(); }
  void Empty() { m_text.clear(); }
  // Index past the end gives NUL.
  char GetAt(int index) const;

  // printf-style; the result has whatever length the text needs.
  void Format(const char* format, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 2, 3)));

  CString& operator+=(const CString& other) {
    m_text += other.m_text;
    return *this;
  }
  CString& operator+=(const char* text) {
    m_text += text ? text : "";
    return *this;
  }
  CString& operator+=(char c) {
    m_text += c;
    return *this;
  }

  // Case follows the system's ANSI rules, as CharLowerA and CharUpperA do.
  void MakeLower();
  void MakeUpper();

  // Counts and positions are clamped to the text: they never fail.
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first, int count = -1) const;
  // Position of the first match at or after start, or -1.
  int Find(char c, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  // Position of the last c, or -1.
  int ReverseFind(char c) const;

  // For APIs that write into a buffer: room for minLength characters plus the
  // terminating NUL. ReleaseBuffer(-1) then takes the length up to the first NUL.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

  friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
  friend bool operator==(const CString& a, const char* b) { return a.m_text == (b ? b : ""); }
  friend bool operator==(const char* a, const CString& b) { return b == a; }
  friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
  friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
  friend bool operator!=(const char* a, const CString& b) { return !(b == a); }

 private:
  std::string m_text;
};

inline CString operator+(CString a, const CString& b) { return a += b; }
inline CString operator+(CString a, const char* b) { return a += b; }
inline CString operator+(const char* a, const CString& b) { return CString(a) += b; }
inline CString operator+(CString a, char b) { return a += b; }

// A UTF-16 text from a wide call, in the ANSI code page (UTF-8 under the
// program's manifest), however long.
CString AnsiFromWide(const wchar_t* text);
// The running executable's full path, however long (the ANSI call cuts it at 260 bytes).
CString ExecutablePath();
