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

// The window's left, top, width and height.
std::vector<LONG> Place(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The edges (Left, Top, Right, Bottom) each control keeps its distance from.
const std::pair<int, const char*> kKept[] = {
    {IDC_ICON_LIST, "LTRB"}, {IDC_PATH_EDIT, "LRB"},      {IDC_VIEW_NORMAL, "LB"}, {IDC_VIEW_SMALL, "LB"},
    {IDC_VIEW_LIST, "LB"},   {IDC_CONTAINED_LABEL, "LB"}, {IDC_ADD_FILE, "LB"},    {IDC_ADD_FOLDER, "LB"},
    {IDC_CLEAR_ALL, "LB"},   {IDC_SELECT_ALL, "RB"},      {IDC_SAVE, "RB"},        {IDC_SAVE_AS, "RB"}};

bool KeepsPlace(HWND window, const std::pair<int, const char*>& kept, const RECT& before) {
  const RECT now = Margins(window, kept.first);
  const auto same = [&](char edge, LONG RECT::*side) {
    return std::string(kept.second).find(edge) == std::string::npos || now.*side == before.*side;
  };
  return same('L', &RECT::left) && same('T', &RECT::top) && same('R', &RECT::right) && same('B', &RECT::bottom);
}

int Setting(const TempFolder& folder, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA("Setting", key, -1, folder.File("Config.ini").c_str()));
}

using WindowSizeTest = ProductTest;

TEST_F(WindowSizeTest, MaximizedTheListTakesTheRoomAndTheStateComesBackAtTheNextStart) {
  Start();
  const std::vector<LONG> design = Place(window);
  std::vector<RECT> before;
  for (const auto& kept : kKept) before.push_back(Margins(window, kept.first));

  PostMessageA(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  const auto laidOut = [&] {
    bool kept = IsZoomed(window) && Place(window)[2] > design[2] + 300;
    for (size_t i = 0; i < before.size(); ++i) kept = kept && KeepsPlace(window, kKept[i], before[i]);
    return kept;
  };
  EXPECT_TRUE(WaitUntil(laidOut, kDialogTimeout));
  PostMessageA(window, WM_CLOSE, 0, 0);
  ASSERT_TRUE(product.WaitForExit(kDialogTimeout));
  EXPECT_EQ(Setting(folder, "WindowMaximized"), 1);
  EXPECT_EQ(Setting(folder, "WindowWidth"), design[2]);

  ProductProcess again;
  ASSERT_TRUE(again.Start(exePath));
  const HWND second = WaitForMainWindow(again.Id(), kDialogTimeout);
  ASSERT_NE(second, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return IsZoomed(second) != FALSE; }, kDialogTimeout));
  PostMessageA(second, WM_SYSCOMMAND, SC_RESTORE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(second); }, kDialogTimeout));
  EXPECT_TRUE(WaitUntil([&] { return Place(second) == design; }, kDialogTimeout));
  // Never smaller than designed; a size given is kept for the next start.
  SetWindowPos(second, nullptr, 40, 30, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Place(second)[2], design[2]);
  SetWindowPos(second, nullptr, 40, 30, 800, 600, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(second, WM_CLOSE, 0, 0);
  ASSERT_TRUE(again.WaitForExit(kDialogTimeout));
  std::string saved;
  for (const char* key : {"WindowLeft", "WindowTop", "WindowWidth", "WindowHeight", "WindowMaximized"})
    saved += std::to_string(Setting(folder, key)) + " ";
  EXPECT_EQ(saved, "40 30 800 600 0 ");
}

TEST_F(WindowSizeTest, APlaceOffEveryScreenOpensOnOneAtTheRememberedSize) {
  const std::string settings =
      "[Setting]\r\nWindowLeft=-9000\r\nWindowTop=-7000\r\nWindowWidth=700\r\n"
      "WindowHeight=520\r\nWindowMaximized=0\r\n";
  ASSERT_TRUE(WriteBytes(folder.File("Config.ini"), Bytes(settings.begin(), settings.end())));
  Start();
  EXPECT_NE(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), nullptr);
  EXPECT_EQ(Place(window)[2], 700);
  EXPECT_EQ(Place(window)[3], 520);
}

}  // namespace
