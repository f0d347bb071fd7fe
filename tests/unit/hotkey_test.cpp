#include <gtest/gtest.h>

#include "hotkey/activation.h"
#include "hotkey/launcher_hot_key.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"

namespace {

TEST(LauncherHotKey, RegistersUnderTheSignWidenedAtomAndRefusalsStillCount) {
  fakes::FakeHotKeyService service;
  service.taken = {{0, 0x7B}};
  hotkey::LauncherHotKey hotKey(service);
  EXPECT_EQ(hotKey.RegisterLauncherHotKey(123), 0);
  EXPECT_TRUE(hotKey.HotKeyRegistered());
  ASSERT_EQ(hotKey.RegisterLauncherHotKey(1618), 1);
  EXPECT_EQ(hotKey.Identifier(), static_cast<int>(0xC123) - 0x10000);
  EXPECT_EQ(service.calls[1].id, service.calls[3].id);  // both Register calls
  ASSERT_EQ(service.registered.size(), 1u);
  EXPECT_EQ(service.registered[0].key, 0x52u);
  hotKey.UnregisterLauncherHotKey();
  EXPECT_FALSE(hotKey.HotKeyRegistered());
  EXPECT_TRUE(service.registered.empty());
  EXPECT_EQ(service.calls.back().what, "DeleteAtom");
}

TEST(HotKeyActivation, OnlyItsHotKeyWhileHiddenEmptiesShowsAndFocusesTheBoxOnce) {
  constexpr int kId = -16093;
  fakes::FakeWindow form;
  fakes::FakeComboBox cmbRun;
  fakes::FakeStartupServices system;
  hotkey::HotKeyActivation activation{form, cmbRun, system};
  cmbRun.SetText(L"kept");
  activation.OnMessage(platform::kWmHotKey, kId, kId);  // already visible
  form.Hide();
  activation.OnMessage(platform::kWmHotKey, 5, kId);  // another identifier
  activation.OnMessage(0x0100, kId, kId);             // not a hot key
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(cmbRun.Text(), L"kept");
  // Emptying the box sends messages to the same window: a nested hot key
  // must not run the activation inside itself.
  cmbRun.Change = [&] {
    form.Hide();
    activation.OnMessage(platform::kWmHotKey, kId, kId);
  };
  activation.OnMessage(platform::kWmHotKey, kId, kId);
  EXPECT_TRUE(form.Visible());
  EXPECT_EQ(cmbRun.Text(), L"");
  EXPECT_EQ(cmbRun.focusCount, 1);
  EXPECT_EQ(system.log, std::vector<std::string>{"BringToFront"});
}

}  // namespace
