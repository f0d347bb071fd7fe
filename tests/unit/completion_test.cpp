#include <gtest/gtest.h>

#include "core/case_fold.h"
#include "core/prefix_index.h"
#include "tests/fakes/launcher_fixture.h"

namespace {

class CompletionTest : public fakes::LauncherFixture {
 protected:
  void SetUp() override {
    LoadAliases({{"mail", "C:\\mail.exe"}, {"map", "C:\\maps"}, {"memo", "C:\\memo.txt"}});
  }
};

TEST_F(CompletionTest, WorkedExampleStepByStep) {
  const struct {
    const wchar_t* typed;  // L"\b" is Backspace
    const wchar_t* shown;
    int matchIndex;
  } steps[] = {{L"M", L"m[ail]", 1}, {L"a", L"ma[il]", 1}, {L"p", L"map", 2},
               {L"\b", L"ma", 0},    {L"x", L"max", 0},    {L"\b\be", L"me[mo]", 3}};
  for (const auto& step : steps) {
    for (const wchar_t* c = step.typed; *c; ++c) *c == L'\b' ? PressBackspace() : Type({*c});
    EXPECT_EQ(cmbRun.Shown(), step.shown);
    EXPECT_EQ(main.MatchIndex(), step.matchIndex) << step.typed;
  }
  EXPECT_EQ(cmbRun.TopIndex(), 2);
  EXPECT_EQ(cmbRun.ListIndex(), 2);
  cmbRun.SetText(L"");
  EXPECT_EQ(main.MatchIndex(), 0);
}

TEST(FindListString, FoldsCaseButNotWidthAndEmptyTextFindsNothing) {
  const std::vector<std::wstring> items = {L"x", L"\u00e9cole", L"\uff41\uff42\uff43",
                                           L"\u017elu\u0165"};
  EXPECT_EQ(core::FindListString(items, L"\u00c9C", false), 1);
  EXPECT_EQ(core::FindListString(items, L"abc", false), -1);
  EXPECT_EQ(core::FindListString(items, L"\u017dLU\u0164", true), 3);
  EXPECT_EQ(core::FindListString(items, L"", false), -1);
  EXPECT_EQ(core::FoldCase(L'\u03c2'), core::FoldCase(L'\u03a3'));
  std::vector<std::wstring> many;  // matches beyond one block of the index
  for (int i = 0; i < 70; ++i) many.push_back(L"a" + std::to_wstring(100 + i));
  core::PrefixIndex index;
  index.Assign(std::move(many));
  EXPECT_EQ(index.Find(L"A", false), 0);
}

// The first and last capital of every block that folds, and the letters
// just outside, which do not.
TEST(FoldCase, EveryBlockFromItsFirstToItsLastCapital) {
  EXPECT_EQ(core::FoldCase(
                L"AZ@[\u00C0\u00DE\u00D7\u00DF\u0100\u012E\u0132\u0136\u014A\u0176\u0460\u0480"
                L"\u048A\u04BE\u04D0\u052E\u0139\u0147\u0179\u017D\u04C1\u04CD\u0178\u0130\u04C0"
                L"\u0391\u03AB\u03A2\u03C2\u0386\u0388\u038A\u038C\u038E\u038F\u0410\u042F\u0400"
                L"\u040F\uFF21\uFF3A"),
            L"az@[\u00E0\u00FE\u00D7\u00DF\u0101\u012F\u0133\u0137\u014B\u0177\u0461\u0481"
            L"\u048B\u04BF\u04D1\u052F\u013A\u0148\u017A\u017E\u04C2\u04CE\u00FFi\u04CF"
            L"\u03B1\u03CB\u03A2\u03C3\u03AC\u03AD\u03AF\u03CC\u03CD\u03CE\u0430\u044F\u0450"
            L"\u045F\uFF41\uFF5A");
}

}  // namespace
