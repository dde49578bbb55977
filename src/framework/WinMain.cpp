// The program's entry point; only the product links it (test programs have
// GoogleTest's main).

#include <windows.h>

#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const bool ready = AfxWinInit();
  if (CWinApp* app = AfxGetApp()) app->InitInstance();
  if (ready) AfxWinTerm();
  return 0;
}
