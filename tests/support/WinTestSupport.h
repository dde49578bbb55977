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
