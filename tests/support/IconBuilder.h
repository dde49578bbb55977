#pragma once
// Builds icon image blocks, icon-group resources and .ico files for tests.

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestFiles.h"

// A complete DIB icon block: header, colour table, colour bitmap and mask,
// filled with a pattern derived from seed so that blocks differ.
std::vector<uint8_t> MakeDibBlock(int32_t width, int32_t height, uint16_t bitCount, uint32_t clrUsed = 0,
                                  uint8_t seed = 0);
// A PNG stream of an RGBA image as far as the readers look: signature, header
// chunk (its checksum not kept), then bytes from seed. It does not decode.
std::vector<uint8_t> MakePngBlock(uint32_t width, uint32_t height, uint8_t seed = 0);

// An .ico file holding the blocks, with a correct directory.
std::vector<uint8_t> BuildIcoFile(const std::vector<std::vector<uint8_t>>& blocks);
// An RT_GROUP_ICON resource naming the given RT_ICON ids for the given blocks.
std::vector<uint8_t> BuildGroupIcon(const std::vector<std::vector<uint8_t>>& blocks,
                                    const std::vector<uint16_t>& iconIds);
