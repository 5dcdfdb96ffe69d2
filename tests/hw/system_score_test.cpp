// The optimisation score over catalogues of fake tweaks with chosen states and weights.
#include <gtest/gtest.h>

#include "hw/fake_tweaks.h"
#include "hw/system_score.h"

namespace vx {
namespace {

using hwtest::fake;

// n ordinary tweaks of which the first `applied` are Applied: the score is applied * 100 / n.
TweakCatalog ordinaryTweaks(int n, int applied) {
  TweakCatalog catalog;
  for (int i = 0; i < n; ++i)
    catalog.push_back(fake(L"t" + std::to_wstring(i), i < applied ? TweakState::Applied : TweakState::NotApplied));
  return catalog;
}

TEST(SystemScore, NothingCountedScoresZero) {
  const TweakCatalog unavailable = {fake(L"a", TweakState::Unavailable), fake(L"b", TweakState::Unavailable, true)};
  for (const TweakCatalog& catalog : {unavailable, TweakCatalog{}}) {
    const SystemScore s = computeScore(catalog);
    EXPECT_EQ(s.score, 0);
    EXPECT_EQ(s.countedCount, 0);
    EXPECT_EQ(s.appliedCount, 0);
    EXPECT_EQ(s.level, L"Стандарт");
    EXPECT_EQ(s.summary, L"ПК работает на заводских настройках. Большой запас для оптимизации.");
  }
}

TEST(SystemScore, EverythingCountedAppliedScoresHundred) {
  const SystemScore s = computeScore({fake(L"a", TweakState::Applied), fake(L"b", TweakState::Applied, true),
                                      fake(L"c", TweakState::Unavailable)});
  EXPECT_EQ(s.score, 100);
  EXPECT_EQ(s.appliedCount, 2);
  EXPECT_EQ(s.countedCount, 2);
  EXPECT_EQ(s.level, L"Pro");
  EXPECT_EQ(s.summary, L"Максимальная конфигурация. Дальше — только разгон в BIOS.");
}

TEST(SystemScore, AggressiveTweaksWeighThreeOrdinaryTwo) {
  const SystemScore s = computeScore({fake(L"aggressive", TweakState::Applied, true), fake(L"plain", TweakState::NotApplied)});
  EXPECT_EQ(s.score, 60);  // 3 * 100 / 5
  EXPECT_EQ(s.appliedCount, 1);
  EXPECT_EQ(s.countedCount, 2);
  EXPECT_EQ(s.level, L"Отлично");
  EXPECT_EQ(s.summary, L"Система настроена. Осталось несколько pro-твиков.");

  // Undetermined counts like NotApplied; truncation: 2 * 100 / 7 = 28.
  const SystemScore t = computeScore({fake(L"p", TweakState::Applied), fake(L"q", TweakState::Undetermined),
                                      fake(L"r", TweakState::NotApplied, true)});
  EXPECT_EQ(t.score, 28);
  EXPECT_EQ(t.countedCount, 3);
}

TEST(SystemScore, InformationOnlyTweakIsNeitherCountedNorQueried) {
  auto info = fake(L"perf.rebar_status", TweakState::NotApplied);
  info->reportsOnly = true;  // the tweak says it only reports; the score no longer knows its id
  const SystemScore s = computeScore({info, fake(L"a", TweakState::Applied)});
  EXPECT_EQ(s.score, 100);
  EXPECT_EQ(s.countedCount, 1);
  EXPECT_EQ(info->queries, 0);
}

TEST(SystemScore, LevelBoundaries) {
  struct Case {
    int applied;
    const wchar_t* level;
    const wchar_t* summary;
  };
  const Case cases[] = {
      {24, L"Стандарт", L"ПК работает на заводских настройках. Большой запас для оптимизации."},
      {25, L"Хорошо", L"Базовая оптимизация выполнена. Ещё есть твики, которые можно применить."},
      {49, L"Хорошо", L"Базовая оптимизация выполнена. Ещё есть твики, которые можно применить."},
      {50, L"Отлично", L"Система настроена. Осталось несколько pro-твиков."},
      {74, L"Отлично", L"Система настроена. Осталось несколько pro-твиков."},
      {75, L"Pro", L"Максимальная конфигурация. Дальше — только разгон в BIOS."},
  };
  for (const Case& c : cases) {
    const SystemScore s = computeScore(ordinaryTweaks(100, c.applied));
    EXPECT_EQ(s.score, c.applied);
    EXPECT_EQ(s.level, c.level) << c.applied;
    EXPECT_EQ(s.summary, c.summary) << c.applied;
  }
}

}  // namespace
}  // namespace vx
