#pragma once
// Windows pieces shared by the Windows test programs and the end-to-end
// tests: window texts and classes, waiting for a condition, the dialogs of
// this thread, and Wine's view of a path.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);
// Polls until the condition holds; false when it still did not after `milliseconds`.
bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds);

// The dialog boxes of this thread but `self`; hidden ones count too, since a
// dialog being set up may already serve its owner.
std::vector<HWND> OtherDialogs(HWND self);

// The Unix path of a Windows path through Wine's own conversion, or "".
std::string UnixPath(const std::string& windowsPath);

// UTF-8 text as UTF-16 and back, for names the ANSI code page cannot spell.
std::wstring Wide(const std::string& utf8);
std::string Utf8(const std::wstring& wide);
// A window's text read as UTF-16, whatever code page either program has.
std::wstring WideWindowText(HWND hwnd);
// Files and folders by UTF-8 names.
bool WriteBytesAt(const std::string& utf8Path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytesAt(const std::string& utf8Path);
bool MakeFolderAt(const std::string& utf8Path);

// An icon image block (32-bit colour, opaque) of one solid colour.
std::vector<uint8_t> SolidIconBlock(COLORREF colour, int size = 32);
