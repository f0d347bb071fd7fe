#include <gtest/gtest.h>

#include "hotkey/activation.h"
#include "tests/fakes/fake_controls.h"
#include "tests/fakes/fake_services.h"

namespace {

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
