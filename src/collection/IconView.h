#pragma once
// What the collection tells the view that shows its icons: the view keeps no
// record of its own and asks the collection for what it draws.

class IconView {
 public:
  // `count` icons appended at `first`, after `addedBefore` added since the
  // view was last emptied.
  virtual void IconsAppended(int first, int count, int addedBefore) = 0;
  // One icon's tick changed, or every icon's with index -1.
  virtual void TicksChanged(int index) = 0;
  // Every icon is about to go.
  virtual void Emptied() = 0;

 protected:
  ~IconView() = default;
};
