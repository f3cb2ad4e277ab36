// The slot table and the registration of the twelve keys on Main, against the real hotkey service.
#include <gtest/gtest.h>

#include "hotkeys/slots.h"
#include "support/loaded_main.h"
#include "support/process.h"

using namespace tarvolin;
using namespace tarvolin::test;

TEST(SlotTable, IdsKeysAndNames) {
  const int ids[] = {-20480, -20479, -20478, -20477, -20476, -20475,
                     -20474, -20473, -20472, -20471, -20464, -20463};
  for (int n = 1; n <= kSlotCount; ++n) {
    EXPECT_EQ(HotkeyId(n), ids[n - 1]) << "slot " << n;
    EXPECT_EQ(SlotVirtualKey(n), static_cast<UINT>(0x70 + n - 1));
    EXPECT_EQ(std::wstring(SlotKeyName(n)), L"F" + std::to_wstring(n));
    EXPECT_EQ(SlotFromHotkeyId(static_cast<UINT>(ids[n - 1])), n);
  }
  EXPECT_EQ(static_cast<UINT>(HotkeyId(11)), 0xFFFFB010u);
  EXPECT_EQ(static_cast<UINT>(HotkeyId(12)), 0xFFFFB011u);
}

TEST(SlotTable, IdsOutsideTheTableBelongToNoSlot) {
  for (UINT id = 0xFFFFB00Au; id <= 0xFFFFB00Fu; ++id) EXPECT_EQ(SlotFromHotkeyId(id), 0) << std::hex << id;
  EXPECT_EQ(SlotFromHotkeyId(0), 0);
  EXPECT_EQ(SlotFromHotkeyId(0xB000u), 0);  // the low half alone is not the id
  EXPECT_EQ(SlotFromHotkeyId(0xFFFFB012u), 0);
  EXPECT_EQ(SlotFromHotkeyId(0xFFFFAFFFu), 0);
  EXPECT_EQ(HotkeyId(0), 0);
  EXPECT_EQ(HotkeyId(13), 0);
}

TEST(SlotTable, AWideMessageCarriesTheIdSignExtendedAndNothingElseMatches) {
  if (sizeof(WPARAM) < 8) GTEST_SKIP() << "wParam is 32 bits wide in this flavour";
  const unsigned long long signExtended = 0xFFFFFFFF00000000ull;
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(signExtended | 0xFFFFB010u)), 11);
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(signExtended | 0xFFFFB000u)), 1);
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(0xFFFFB011u)), 12);
  // Only all-ones or all-zeros above the id: any other high half is some other value.
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(0x00000001FFFFB010ull)), 0);
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(0x80000000FFFFB010ull)), 0);
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(signExtended | 0xFFFFB012u)), 0);
  EXPECT_EQ(SlotFromHotkeyId(static_cast<WPARAM>(signExtended | 0xB000u)), 0);
}

class SlotRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveSettingsFile();
    main_ = std::make_unique<LoadedMain>();
    ASSERT_TRUE((*main_)->IsLoaded());
  }
  void TearDown() override {
    main_.reset();
    RemoveSettingsFile();
  }
  std::unique_ptr<LoadedMain> main_;
};

TEST_F(SlotRegistration, EnableHoldsTheKeyAndDisableFreesIt) {
  EXPECT_EQ(HeldFunctionKeys(), "------------");
  EnableSlotHotkey(3);
  EnableSlotHotkey(11);
  EXPECT_EQ(HeldFunctionKeys(), "--x-------x-");
  DisableSlotHotkey(3);
  EXPECT_EQ(HeldFunctionKeys(), "----------x-");
  DisableSlotHotkey(11);
  EXPECT_EQ(HeldFunctionKeys(), "------------");
}

namespace {
std::vector<UINT> g_modifiers;
BOOL WINAPI RecordModifiers(HWND window, int id, UINT modifiers, UINT key) {
  g_modifiers.push_back(modifiers);
  return RegisterHotKey(window, id, modifiers, key);
}
}  // namespace

// Wine takes MOD_NOREPEAT and ignores it, so only the flags passed show it is asked for.
TEST_F(SlotRegistration, KeysAreRegisteredAsOneMessagePerPress) {
  g_modifiers.clear();
  const auto previous = slots_detail::SetRegisterForTesting(&RecordModifiers);
  EnableSlotHotkey(6);
  slots_detail::SetRegisterForTesting(previous);
  EXPECT_EQ(g_modifiers, std::vector<UINT>{MOD_NOREPEAT});
  EXPECT_EQ(HeldFunctionKeys(), "-----x------");
}

TEST_F(SlotRegistration, EnablingTwiceLeavesOneRegistration) {
  EnableSlotHotkey(4);
  EnableSlotHotkey(4);
  EXPECT_TRUE(KeyHeldElsewhere(VK_F4));
  DisableSlotHotkey(4);
  EXPECT_FALSE(KeyHeldElsewhere(VK_F4));
}

TEST_F(SlotRegistration, DisablingFreeSlotsChangesNothing) {
  EnableSlotHotkey(7);
  DisableSlotHotkey(2);
  DisableSlotHotkey(12);
  EXPECT_EQ(HeldFunctionKeys(), "------x-----");
  EnableSlotHotkey(1);
  EnableSlotHotkey(12);
  DisableAllHotkeys();
  EXPECT_EQ(HeldFunctionKeys(), "------------");
}

TEST_F(SlotRegistration, AKeyHeldByAnotherOwnerStaysWithIt) {
  constexpr int kOtherId = 0x5A5A;
  ASSERT_TRUE(RegisterHotKey(nullptr, kOtherId, 0, VK_F5));
  EnableSlotHotkey(5);
  // Still ours: unregistering our id succeeds, and then nobody holds F5.
  EXPECT_TRUE(UnregisterHotKey(nullptr, kOtherId));
  EXPECT_FALSE(KeyHeldElsewhere(VK_F5));
}

namespace {
// The first hotkey message that reaches Main within the time, or 0.
WPARAM NextHotkeyMessage(HWND main, std::chrono::milliseconds timeout = std::chrono::milliseconds(2000)) {
  WPARAM id = 0;
  WaitUntil(
      [&] {
        MSG msg;
        if (PeekMessageW(&msg, main, WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) id = msg.wParam;
        return id != 0;
      },
      timeout);
  return id;
}
}  // namespace

TEST_F(SlotRegistration, PressingARegisteredKeySendsItsIdToMain) {
  const HWND main = (*main_)->hwnd();
  EnableSlotHotkey(1);
  EnableSlotHotkey(11);
  EnableSlotHotkey(12);
  // The id fills the low 32 bits; a 64-bit wParam may carry it sign-extended.
  const std::pair<WORD, UINT> presses[] = {
      {VK_F11, 0xFFFFB010u}, {VK_F12, 0xFFFFB011u}, {VK_F1, 0xFFFFB000u}};
  for (const auto& [key, id] : presses) {
    PressKey(key);
    const WPARAM received = NextHotkeyMessage(main);
    EXPECT_EQ(static_cast<UINT>(received), id);
    EXPECT_EQ(SlotFromHotkeyId(received), SlotFromHotkeyId(id));
    EXPECT_NE(SlotFromHotkeyId(received), 0);
  }
}

TEST_F(SlotRegistration, AKeyWithAModifierIsNotASlotHotkey) {
  const HWND main = (*main_)->hwnd();
  EnableSlotHotkey(1);
  PressKey(VK_F1, VK_CONTROL);
  PressKey(VK_F1, VK_SHIFT);
  EXPECT_EQ(NextHotkeyMessage(main, std::chrono::milliseconds(300)), 0u);
}
