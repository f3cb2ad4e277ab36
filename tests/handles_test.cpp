// The handle holders: a move hands the handle over and empties the source, and each handle is
// closed once, by its last holder.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/handles.h"

using namespace tarvolin;

namespace {
std::vector<int> g_closed;
struct CountingTraits {
  using Handle = int;
  static Handle Invalid() { return 0; }
  static bool Valid(Handle h) { return h != 0; }
  static void Close(Handle h) { g_closed.push_back(h); }
};
using Counted = UniqueHandle<CountingTraits>;
}  // namespace

TEST(Holders, AMovedHandleIsClosedOnceByItsLastHolderAndNeverByTheSource) {
  g_closed.clear();
  {
    Counted first(7);
    Counted second(std::move(first));
    EXPECT_FALSE(first);
    Counted third(9);
    third = std::move(second);  // 9 goes now
    EXPECT_FALSE(second);
    EXPECT_EQ(third.get(), 7);
    EXPECT_EQ(g_closed, std::vector<int>{9});
  }
  EXPECT_EQ(g_closed, (std::vector<int>{9, 7}));
}

TEST(Holders, DeviceContextsMoveAndAreGivenBackWhenTheirLastHolderGoes) {
  MemoryDC memory;
  HDC dc = nullptr;
  {
    MemoryDC source(nullptr);
    dc = source.get();
    memory = std::move(source);
    EXPECT_FALSE(source);
  }
  EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC)) << "the emptied source deleted nothing";
  memory.reset();
  EXPECT_EQ(GetObjectType(dc), 0u);

  const HWND window =
      CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  {
    WindowDC source(window);
    dc = source.get();
    ASSERT_NE(dc, nullptr);
    WindowDC borrowed(std::move(source));
    EXPECT_FALSE(source);
    EXPECT_EQ(borrowed.get(), dc);
  }
  EXPECT_EQ(ReleaseDC(window, dc), 0) << "already given back";
  DestroyWindow(window);
}
