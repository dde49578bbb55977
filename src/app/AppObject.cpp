// The product's one application object; test programs make their own.
#include "app/MainApp.h"

CMainApp theApp;
