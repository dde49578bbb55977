#pragma once
// The loaded icons: their sources and their items in the list view. Record i
// and item i always belong to the same icon; entries are only appended, and
// removed all at once. The list view is an owner-data one: it keeps only the
// count and the selection, asks for each item's tick, and makes the pictures
// of the items in view itself.

#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "collection/FileTypes.h"
#include "collection/FoundIcon.h"
#include "collection/IconSource.h"
#include "formats/IconFileReader.h"
#include "framework/ListCtrl.h"
#include "framework/String.h"
#include "framework/Wnd.h"

// How reading one file went: the core's outcome, unless the filter does not take its type.
// Whether a block of this many bytes can be had now: the records of a batch
// are first tried on one, so that running out ends a search cleanly.
using BlockProbe = std::function<bool(size_t bytes)>;
bool CanAllocateBlock(size_t bytes);

struct FileReading {
  bool typeTaken = true;
  ReadStatus status = ReadStatus::Read;
  std::string detail;  // where it is damaged, or why it cannot be opened
  int lostImages = 0;  // images its groups name but it lacks; the icons keep the others
};
// Why a file gave no icon, or not all of them, to follow its name in a
// message ("holds no icon"); empty when every icon was read.
std::string ReadingProblem(const FileReading& reading);

class CIconCollection {
 public:
  CIconCollection() = default;
  virtual ~CIconCollection();
  CIconCollection(const CIconCollection&) = delete;
  CIconCollection& operator=(const CIconCollection&) = delete;

  void SetListView(CListCtrl* list);
  // Null unbinds. While bound, every icon added shows the running total there.
  void SetCountLabel(CWnd* label);
  // Asked before the records grow (see BlockProbe); tests make it refuse.
  void SetBlockProbe(BlockProbe probe) { m_blockProbe = std::move(probe); }

  // Appends a record for each found icon and their items, as one batch, one
  // count shown. A path that does not fit a record is left out. False when
  // memory ran out: the icons that fitted stay, and the rest are dropped.
  bool AppendFound(std::vector<FoundIcon>& found, BOOL checked);
  // Deletes every record and unbinds the count label; the views are emptied by
  // their owner first (see EmptyWithViews).
  void Clear();
  // List items (the list lets go of its pictures), records, and the source-path box, in that order.
  void EmptyWithViews(CWnd* pathBox);

  // Adds every icon of one file whose type is switched on in the filter.
  FileReading LoadFromFile(LPCSTR path, BOOL checked);
  // Whether files with this lowercase extension (no dot) are taken.
  bool IsTypeSwitchedOn(const std::string& extension) const;
  TypeSwitches Switches() const { return m_switches; }
  void SetSwitches(const TypeSwitches& switches) { m_switches = switches; }
  void SwitchType(TypeSwitch type, bool on) { m_switches[static_cast<size_t>(type)] = on; }
  // Whether every icon listed has been saved since it was added.
  bool IsSaved() const { return m_saved; }
  void SetSaved(bool saved) { m_saved = saved; }

  bool IsTicked(int index) const { return GetSource(index)->m_ticked; }
  // One icon, or all of them with index -1; the list redraws what changed.
  void SetTicked(int index, bool ticked);

  int GetCount() const { return static_cast<int>(m_sources.size()); }
  const IconSource* GetSource(int index) const { return &m_sources[static_cast<size_t>(index)]; }

  int m_addedCount = 0;
  CString m_countText;
  CListCtrl* m_listView = nullptr;
  CWnd* m_countLabel = nullptr;

 private:
  // A deque: appending never moves the records, and their blocks are few.
  std::deque<IconSource> m_sources;
  TypeSwitches m_switches{};
  bool m_saved = true;
  BlockProbe m_blockProbe = &CanAllocateBlock;
  // The ticks and list items of the pictures just appended, with the scroll
  // and the count. An owner-data list takes any count: it stores no item.
  void AddItems(int first, int count, BOOL checked);

};

// Finds the icons of one file when its type is switched on (one icon per
// icon group of a module with at least one image, or of its companion when it
// has none; see FindCompanion), and hands each to `take` as soon as it is
// found: the list makes pictures only of the icons in view. Touches no window and no collection, so any thread may run it. A
// raised `stop`, read before each icon, ends the file early: a module of
// hundreds of icons must not hold up a Cancel. Memory running out, here or in
// `take`, ends it early too (kOutOfMemory); what was taken before stays taken.
FileReading ReadIconsOfFile(LPCSTR path, const TypeSwitches& switches, const std::atomic<LONG>* stop,
                            const std::function<void(FoundIcon)>& take);

// The running system's Windows folder, where the companions of its modules
// live (not redirected for a 32-bit program, unlike System32).
std::string SystemWindowsFolder();
