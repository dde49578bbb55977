#include "framework/String.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

char CString::GetAt(int index) const { return index >= 0 && index < GetLength() ? m_text[index] : '\0'; }

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length < 0) {
    m_text.clear();
  } else {
    std::string text(static_cast<size_t>(length), '\0');
    std::vsnprintf(&text[0], text.size() + 1, format, args);
    m_text.swap(text);
  }
  va_end(args);
}

void CString::MakeLower() {
  if (!m_text.empty()) CharLowerBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
}

void CString::MakeUpper() {
  if (!m_text.empty()) CharUpperBuffA(&m_text[0], static_cast<DWORD>(m_text.size()));
}

CString CString::Left(int count) const { return Mid(0, count); }

CString CString::Right(int count) const {
  if (count < 0) count = 0;
  if (count > GetLength()) count = GetLength();
  return Mid(GetLength() - count);
}

CString CString::Mid(int first, int count) const {
  if (first < 0) first = 0;
  if (first >= GetLength()) return CString();
  const int available = GetLength() - first;
  if (count < 0 || count > available) count = available;
  CString result;
  result.m_text = m_text.substr(first, count);
  return result;
}

int CString::Find(char c, int start) const {
  if (start < 0) start = 0;
  const size_t at = m_text.find(c, start);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const {
  if (!text || start < 0 || start > GetLength()) return -1;
  const size_t at = m_text.find(text, start);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char c) const {
  const size_t at = m_text.rfind(c);
  return at == std::string::npos ? -1 : static_cast<int>(at);
}

char* CString::GetBuffer(int minLength) {
  if (minLength > GetLength()) m_text.resize(minLength);
  return &m_text[0];
}

void CString::ReleaseBuffer(int newLength) {
  if (newLength < 0) newLength = static_cast<int>(std::strlen(m_text.c_str()));
  if (newLength > GetLength()) newLength = GetLength();
  m_text.resize(newLength);
}

CString AnsiFromWide(const wchar_t* text) {
  const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return CString();
  CString ansi;
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, ansi.GetBuffer(length - 1), length, nullptr, nullptr);
  ansi.ReleaseBuffer();
  return ansi;
}

CString ExecutablePath() {
  for (DWORD size = MAX_PATH;; size *= 2) {
    std::wstring path(size, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, &path[0], size);
    if (length == 0) return CString();
    if (length < size) return AnsiFromWide(path.c_str());
    if (size >= 32768) return CString();
  }
}
