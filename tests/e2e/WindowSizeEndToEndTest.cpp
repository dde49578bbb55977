// The real program's window made larger: the list takes the room, the rows
// under it keep to the bottom and the save buttons to the right, the design
// size is the smallest, and size, place and maximized state come back.

#include "ProductProcess.h"

namespace {

// A control's distances from the client area's left, top, right and bottom.
RECT Margins(HWND window, int id) {
  RECT client{}, r{};
  GetClientRect(window, &client);
  GetWindowRect(GetDlgItem(window, id), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, client.right - r.right, client.bottom - r.bottom};
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

// The distances a control keeps from the edges as the window grows.
struct Kept {
  int id;
  bool left, top, right, bottom;
};
const Kept kKept[] = {
    {IDC_ICON_LIST, true, true, true, true},         {IDC_PATH_EDIT, true, false, true, true},
    {IDC_VIEW_NORMAL, true, false, false, true},     {IDC_VIEW_SMALL, true, false, false, true},
    {IDC_VIEW_LIST, true, false, false, true},       {IDC_CONTAINED_LABEL, true, false, false, true},
    {IDC_ADD_FILE, true, false, false, true},        {IDC_ADD_FOLDER, true, false, false, true},
    {IDC_CLEAR_ALL, true, false, false, true},       {IDC_SELECT_ALL, false, false, true, true},
    {IDC_SAVE, false, false, true, true},            {IDC_SAVE_AS, false, false, true, true},
};

bool KeepsPlace(HWND window, const Kept& kept, const RECT& before) {
  const RECT now = Margins(window, kept.id);
  return (!kept.left || now.left == before.left) && (!kept.top || now.top == before.top) &&
         (!kept.right || now.right == before.right) && (!kept.bottom || now.bottom == before.bottom);
}

int Setting(const std::string& config, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA("Setting", key, -1, config.c_str()));
}

using WindowSizeTest = ProductTest;

TEST_F(WindowSizeTest, MaximizedTheListTakesTheRoomAndTheStateComesBackAtTheNextStart) {
  Start();
  const RECT design = WindowRect(window);
  RECT designClient{};
  GetClientRect(window, &designClient);
  std::vector<RECT> before;
  for (const Kept& kept : kKept) before.push_back(Margins(window, kept.id));

  PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(window) != FALSE; }, kDialogTimeout));
  RECT client{};
  EXPECT_TRUE(WaitUntil([&] { return GetClientRect(window, &client) && client.right > designClient.right + 300; },
                        kDialogTimeout));
  const auto allKept = [&] {
    for (size_t i = 0; i < before.size(); ++i)
      if (!KeepsPlace(window, kKept[i], before[i])) return false;
    return true;
  };
  EXPECT_TRUE(WaitUntil(allKept, kDialogTimeout));
  for (size_t i = 0; i < before.size(); ++i) EXPECT_TRUE(KeepsPlace(window, kKept[i], before[i])) << kKept[i].id;
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(product.WaitForExit(kDialogTimeout));
  const std::string config = folder.File("Config.ini");
  EXPECT_EQ(Setting(config, "WindowMaximized"), 1);
  EXPECT_EQ(Setting(config, "WindowWidth"), design.right - design.left);

  ProductProcess again;
  ASSERT_TRUE(again.Start(exePath));
  const HWND second = WaitForMainWindow(again.Id(), kDialogTimeout);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsZoomed(second) != FALSE; }, kDialogTimeout));
  PostMessageA(second, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(second); }, kDialogTimeout));
  RECT restored{};
  EXPECT_TRUE(WaitUntil([&] { return restored = WindowRect(second), EqualRect(&design, &restored); }, kDialogTimeout))
      << restored.left << "," << restored.top << " " << restored.right << "," << restored.bottom << " vs " << design.left
      << "," << design.top << " " << design.right << "," << design.bottom;
  // Never smaller than designed; a size given is kept for the next start.
  SetWindowPos(second, nullptr, 40, 30, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(WindowRect(second).right - WindowRect(second).left, design.right - design.left);
  SetWindowPos(second, nullptr, 40, 30, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(second, WM_CLOSE, 0, 0);
  ASSERT_TRUE(again.WaitForExit(kDialogTimeout));
  for (const auto& [key, value] : {std::pair<const char*, int>{"WindowLeft", 40}, {"WindowTop", 30}, {"WindowWidth", 800},
                                   {"WindowHeight", 600}, {"WindowMaximized", 0}})
    EXPECT_EQ(Setting(config, key), value) << key;
}

TEST_F(WindowSizeTest, APlaceOffEveryScreenOpensOnOneAtTheRememberedSize) {
  const std::string settings = "[Setting]\r\nWindowLeft=-9000\r\nWindowTop=-7000\r\nWindowWidth=700\r\n"
                               "WindowHeight=520\r\nWindowMaximized=0\r\n";
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Bytes(settings.begin(), settings.end())));
  Start();
  const RECT place = WindowRect(window);
  EXPECT_NE(MonitorFromRect(&place, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(place.right - place.left, 700);
  EXPECT_EQ(place.bottom - place.top, 520);
}

}  // namespace
