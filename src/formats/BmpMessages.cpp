#include "formats/BmpMessages.h"

const char* BmpMessageText(BmpMessage message) {
  switch (message) {
    case BmpMessage::CreateFailed: return "位图文件建立失败！";
    case BmpMessage::HeaderWriteFailed: return "写位图文件头出错!";
    case BmpMessage::WriteFailed: return "写位图文件出错!";
  }
  return "";
}
