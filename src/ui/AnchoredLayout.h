#pragma once
// Keeps a dialog's controls where its template put them relative to the edges
// they are anchored to, as the dialog grows past the size it was made at.

#include <windows.h>

#include <vector>

enum Anchor : unsigned {
  kMoveRight = 1,  // keeps its distance from the right edge
  kMoveDown = 2,   // keeps its distance from the bottom edge
  kGrowRight = 4,  // keeps its left edge and its distance from the right edge
  kGrowDown = 8,
};

struct AnchoredControl {
  int id;
  unsigned anchors;
};

class CAnchoredLayout {
 public:
  // Takes the controls' places and the window's size as they are now: the
  // size becomes the smallest the window can be given.
  void Capture(HWND dialog, const AnchoredControl* controls, size_t count);
  void Apply(HWND dialog, int clientWidth, int clientHeight) const;
  // For WM_GETMINMAXINFO; nothing before Capture.
  void LimitTrackSize(MINMAXINFO* info) const;
  SIZE MinimumSize() const { return m_minimum; }

 private:
  struct Placed {
    int id;
    unsigned anchors;
    RECT rect;
  };
  std::vector<Placed> m_controls;
  SIZE m_client{};
  SIZE m_minimum{};
};
