#pragma once
// Paths given on the command line, and their way from a second start to the
// copy already running: its main window is marked with a property named
// after the program (as the single-copy mutex is), and the paths go there in
// one WM_COPYDATA.

#include <windows.h>

#include <string>
#include <vector>

// The arguments after the program's own name, in order; quotes are the C
// runtime's, so a quoted path may hold spaces.
std::vector<std::string> CommandLinePaths();

// Marks or unmarks the window as the one a second start of appName hands its paths to.
void MarkInstanceWindow(HWND window, LPCSTR appName);
void UnmarkInstanceWindow(HWND window, LPCSTR appName);

// Sends the paths to the marked window, waiting a few seconds for it when
// the running copy is still starting. False when none took them.
bool HandPathsOver(LPCSTR appName, const std::vector<std::string>& paths);

// The paths of a hand-over; nothing when the data is not one.
std::vector<std::string> PathsHandedOver(const COPYDATASTRUCT& data);
