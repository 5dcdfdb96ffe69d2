// The texts and flags the background jobs report, and what each job counts after its engine call.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/job_results.h"
#include "platform/sim/machine.h"
#include "support/fake_tweak.h"
#include "support/system_tools_sim.h"

namespace vx {
namespace {

using test::makeFake;

ApplyResult batchWith(bool applied, bool backupsOk, bool restorePoint) {
  ApplyResult r;
  r.applied = applied;
  r.backupsOk = backupsOk;
  r.restorePointCreated = restorePoint;
  return r;
}

struct TextCase {
  const char* name;
  JobResult actual;
  JobResult expected;  // text, succeeded, needsReboot, clearSelection
};

TEST(JobResultTextTest, EveryJobRow) {
  const std::vector<TextCase> cases = {
      {"category apply", categoryJobResult({3, 0, 2}, false),
       {L"Применение завершено: 3 ок, 0 ошибок, 2 пропущено", true, false, false}},
      {"category apply with failure", categoryJobResult({1, 1, 1}, false),
       {L"Применение завершено: 1 ок, 1 ошибок, 1 пропущено", false, false, false}},
      {"category revert", categoryJobResult({12, 0, 0}, true),
       {L"Откат завершён: 12 ок, 0 ошибок, 0 пропущено", true, false, false}},
      {"category revert nothing", categoryJobResult({0, 0, 0}, true),
       {L"Откат завершён: 0 ок, 0 ошибок, 0 пропущено", true, false, false}},
      {"selected", selectedJobResult(2, 3, false, batchWith(true, false, false)),
       {L"Применено: 2 из 3", true, false, true}},
      {"selected none", selectedJobResult(0, 1500, true, batchWith(false, false, false)),
       {L"Применено: 0 из 1500", false, true, true}},
      {"selected with net", selectedJobResult(1, 1, true, batchWith(true, true, true)),
       {L"Применено: 1 из 1  •  Бэкап создан  •  Точка восстановления готова", true, true, true}},
      {"selected restore point only", selectedJobResult(1, 2, false, batchWith(true, false, true)),
       {L"Применено: 1 из 2  •  Точка восстановления готова", true, false, true}},
      {"recommendation", recommendationJobResult(batchWith(true, true, false), true),
       {L"Рекомендация применена  •  Бэкап создан", true, true, false}},
      {"recommendation failed", recommendationJobResult(batchWith(false, false, false), false),
       {L"Не удалось применить рекомендацию", false, false, false}},
      {"recommendation failed after net", recommendationJobResult(batchWith(false, true, true), false),
       {L"Не удалось применить рекомендацию  •  Бэкап создан  •  Точка восстановления готова", false, false, false}},
      {"profile", profileJobResult(L"Оптимальная", 17, 19, false, batchWith(true, false, false)),
       {L"Профиль «Оптимальная» применён: 17 / 19", true, false, false}},
      {"profile nothing", profileJobResult(L"Базовая", 0, 0, false, batchWith(false, false, false)),
       {L"Профиль «Базовая» применён: 0 / 0", false, false, false}},
      {"profile with net", profileJobResult(L"Максимум", 30, 41, true, batchWith(true, true, true)),
       {L"Профиль «Максимум» применён: 30 / 41  •  Бэкап создан  •  Точка восстановления готова", true, true, false}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.actual.text, c.expected.text);
    EXPECT_EQ(c.actual.succeeded, c.expected.succeeded);
    EXPECT_EQ(c.actual.needsReboot, c.expected.needsReboot);
    EXPECT_EQ(c.actual.clearSelection, c.expected.clearSelection);
  }
}

TEST(JobResultTextTest, StartTexts) {
  EXPECT_EQ(categoryJobStartText(false), L"Применяю все твики категории...");
  EXPECT_EQ(categoryJobStartText(true), L"Откатываю все твики категории...");
  EXPECT_EQ(selectedJobStartText(4), L"Применяю выбранные твики (4)...");
  EXPECT_EQ(recommendationJobStartText(), L"Применяю рекомендацию...");
  EXPECT_EQ(profileJobStartText(L"Оптимальная", 21), L"Профиль «Оптимальная»: применяю 21 твиков...");
}

class JobRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::machine().reset();
    test::installSystemTools(sim::machine());
  }
};

// The selected-tweaks job counts tweaks Applied afterwards and asks for a reboot only for
// available ones; n counts every selected tweak.
TEST_F(JobRunTest, SelectedJobCountsAvailableTweaks) {
  auto ok = makeFake(L"ok");
  auto failing = makeFake(L"fail");
  failing->applyOk = false;
  auto unavailable = makeFake(L"u");
  unavailable->state = TweakState::Unavailable;
  unavailable->reboot = true;
  const JobResult r = runSelectedJob({ok, failing, unavailable});
  EXPECT_EQ(r, (JobResult{L"Применено: 1 из 3", true, false, true}));

  failing->reboot = true;
  EXPECT_TRUE(runSelectedJob({failing}).needsReboot);
  EXPECT_EQ(runSelectedJob({unavailable}), (JobResult{L"Применено: 0 из 1", false, false, true}));
}

TEST_F(JobRunTest, RecommendationJobAsksForRebootOverTheWholeList) {
  auto unavailable = makeFake(L"u");
  unavailable->state = TweakState::Unavailable;
  unavailable->reboot = true;
  EXPECT_EQ(runRecommendationJob({makeFake(L"a"), unavailable}),
            (JobResult{L"Рекомендация применена", true, true, false}));
  EXPECT_EQ(runRecommendationJob({unavailable}), (JobResult{L"Не удалось применить рекомендацию", false, true, false}));
}

TEST_F(JobRunTest, ProfileJobLabelsItsSafetyNetAndCountsAppliedTweaks) {
  auto aggressive = makeFake(L"perf.gpu_msi");
  aggressive->aggressive = true;
  auto failing = makeFake(L"b");
  failing->applyOk = false;
  const JobResult r = runProfileJob({aggressive, failing}, L"Максимум");
  EXPECT_EQ(r.text, L"Профиль «Максимум» применён: 1 / 2  •  Бэкап создан  •  Точка восстановления готова");
  EXPECT_TRUE(r.succeeded);
  EXPECT_EQ(sim::machine().restorePoints(), std::vector<std::wstring>{L"Vantorix: profile_Максимум"});
}

TEST_F(JobRunTest, CategoryJobCountsTheCategoryOnly) {
  auto failing = makeFake(L"f", TweakCategory::Games);
  failing->applyOk = false;
  const TweakCatalog catalog = {makeFake(L"a", TweakCategory::Games), failing, makeFake(L"c", TweakCategory::Pro)};
  EXPECT_EQ(runCategoryJob(catalog, TweakCategory::Games, false),
            (JobResult{L"Применение завершено: 1 ок, 1 ошибок, 0 пропущено", false, false, false}));
  EXPECT_EQ(runCategoryJob(catalog, TweakCategory::Pro, true),
            (JobResult{L"Откат завершён: 1 ок, 0 ошибок, 0 пропущено", true, false, false}));
}

}  // namespace
}  // namespace vx
