#pragma once

// Kept for the files that include it by this name: the support is one layer.
#include "ProgramTestSupport.h"
