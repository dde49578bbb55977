#pragma once
// The icon list of the main window, an owner-data list view: it shows the
// collection's icons and ticks, toggles a tick by its check box or Space,
// hands files dropped on it to its owner, and a tooltip over an icon names
// its images. It makes the pictures of the icons in view (and a margin around
// them) on a worker, keeps a bounded number, lets go of the rest, and draws
// them itself after the list has drawn each item.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "collection/IconCollection.h"
#include "collection/IconView.h"
#include "collection/PictureCache.h"
#include "collection/PictureMaker.h"
#include "framework/ImageList.h"
#include "framework/ListCtrl.h"
#include "framework/ToolTipCtrl.h"

class CIconListCtrl : public CListCtrl, public IconView {
 public:
  void IconsAppended(int first, int count, int addedBefore) override;
  void TicksChanged(int index) override;
  void Emptied() override;
  ~CIconListCtrl() override;
  // The collection whose icons the list shows; the list asks it for ticks.
  void ShowIcons(CIconCollection* icons);
  // The sides of the Normal view's and the other views' pictures, in pixels.
  void SetPictureSides(int large, int small);
  int LargeSide() const { return m_large.Side(); }
  // Told the paths of the files and folders dropped on the list.
  void OnDropped(std::function<void(const std::vector<std::string>&)> take) { m_onDropped = std::move(take); }
  void OnDropFiles(HDROP drop) override;
  // Told +1 or -1 when Ctrl with the wheel asks for larger or smaller pictures.
  void OnZoom(std::function<void(int)> zoom) { m_onZoom = std::move(zoom); }
  // Whether the item's picture, or the mark that it has none, is ready in the view shown.
  bool HasPicture(int index);
  // How many icons' pictures the view shown holds.
  int PicturesHeld() { return Shown().HeldCount(); }

 protected:
  void PreSubclassWindow() override;
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
  BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  // Toggles the tick of an icon, if there is one at that index.
  void ToggleTick(int index);
  // The item next to `from` in the icon views' grid towards an arrow key, or -1.
  int NeighbourOf(int from, UINT key) const;
  // The item under the mouse, or -1; its tip text is made when the tooltip asks.
  void TrackHoveredItem(LPARAM point);

  // The place of an item's picture in the current view's cache, or the
  // placeholder while it is being made (and then it is asked for).
  int ImageOf(int index);
  // The list paints into memory, then onto the screen in one transfer.
  void PaintOffscreen();
  // Where the list puts the item's picture, in client coordinates.
  RECT PictureBox(int index) const;
  // Draws the item's picture, centred in its box, if it has one yet.
  void DrawPicture(HDC dc, int index, const RECT& box, bool selected);
  // The cache of the view shown now; the worker makes pictures for it.
  PictureCache& Shown();
  // Starts the worker afresh for the view shown now, dropping what it had.
  void RestartMaker();
  // Whether an icon of the collection has this index.
  bool IsIcon(int index) const;
  // What the worker is asked for to make the icon's picture.
  PictureRequest RequestFor(int index, uint64_t priority) const;
  // Once a paint is over, the margin around the pictures it asked for goes to the worker.
  void AskForWanted();
  // The pictures the worker made go into their cache, and those in view are drawn.
  void TakeMade();

  CIconCollection* m_icons = nullptr;
  CToolTipCtrl m_tip;
  int m_tipItem = -1;
  // Lives while the tooltip shows it: the tooltip is handed a pointer.
  std::string m_tipText;
  std::function<void(const std::vector<std::string>&)> m_onDropped;
  std::function<void(int)> m_onZoom;

  CImageList m_largeImages;
  CImageList m_smallImages;
  PictureCache m_large;
  PictureCache m_small;
  std::unique_ptr<PictureMaker> m_maker;
  // Which cache, at which side, the worker's pictures are for.
  const PictureCache* m_makingFor = nullptr;
  int m_makingSide = 0;
  uint32_t m_generation = 0;
  // Each paint's requests rank above the one before; the margin below its own.
  uint64_t m_wave = 1;
  std::vector<int> m_wanted;
  bool m_askPosted = false;
};
