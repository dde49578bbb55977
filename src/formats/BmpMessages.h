#pragma once
// The bitmap writer's three messages. The texts are UTF-8; the Windows program
// shows them in a message box captioned with the target path.

#include <functional>
#include <string>

enum class BmpMessage {
  CreateFailed,       // the file could not be created (also: nothing to write)
  HeaderWriteFailed,  // the file header could not be written
  WriteFailed,        // the bitmap could not be written (also: it does not fit its block)
};

const char* BmpMessageText(BmpMessage message);

using BmpMessageSink = std::function<void(const std::string& targetPath, BmpMessage message)>;
