#pragma once
// The bitmap writer's messages on screen.

#include <string>

#include "formats/BmpMessages.h"

// A message box without owner or icon, captioned with the target path (ANSI
// code page). The texts are Chinese: they go through UTF-16 so that they read
// right on any system locale.
void ShowBmpMessage(const std::string& targetPath, BmpMessage message);
