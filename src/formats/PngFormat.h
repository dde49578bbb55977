#pragma once
// What the PNG reader and writer share (the .ico reader too: the signature):
// the signature and the Paeth predictor.

#include <cstdint>
#include <cstdlib>

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Of left, above and upper left, the one nearest left + above - upper left;
// ties go in that order.
inline uint8_t PaethPredictor(int left, int up, int upLeft) {
  const int estimate = left + up - upLeft;
  const int toLeft = std::abs(estimate - left), toUp = std::abs(estimate - up), toUpLeft = std::abs(estimate - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return static_cast<uint8_t>(left);
  return static_cast<uint8_t>(toUp <= toUpLeft ? up : upLeft);
}
