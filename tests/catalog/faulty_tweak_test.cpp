// One faulty tweak in the real catalogue — every call on it throws — must not take down what reads
// the whole catalogue: the score, the recommendations, `vxctl list` and the background jobs.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "catalog/build_catalog.h"
#include "cli/catalog_listing.h"
#include "core/job_results.h"
#include "core/state_cache.h"
#include "hw/hardware_profile.h"
#include "hw/recommendations.h"
#include "hw/system_score.h"
#include "support/fake_tweak.h"
#include "support/sim_test.h"

namespace vx {
namespace {

class FaultyTweakTest : public test::SimTest {
 protected:
  // The catalogue with "power.high" (recommended on desktops) and "priv.telemetry" replaced by a
  // tweak that throws from every call.
  TweakCatalog catalogWithFaultyTweaks() {
    TweakCatalog catalog = buildCatalog();
    for (const wchar_t* id : {L"power.high", L"priv.telemetry"}) {
      auto at = std::find_if(catalog.begin(), catalog.end(), [&](const TweakPtr& t) { return t->id == id; });
      EXPECT_NE(at, catalog.end());
      auto faulty = test::makeFake(id, (*at)->category);
      faulty->throwOnQuery = faulty->throwOnApply = faulty->throwOnRevert = true;
      faulty->throwOnAggressive = faulty->throwOnProperties = true;
      *at = faulty;
    }
    return catalog;
  }
};

TEST_F(FaultyTweakTest, EveryCatalogueReaderKeepsWorking) {
  const TweakCatalog catalog = catalogWithFaultyTweaks();
  struct Case {
    const char* reader;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"computeScore", [&] { EXPECT_GT(computeScore(catalog).countedCount, 0); }},
      {"buildRecommendations",
       [&] {
         const auto advice = buildRecommendations(detectHardware(), catalog);
         EXPECT_FALSE(advice.empty());
       }},
      {"vxctl list",
       [&] {
         const auto lines = cli::catalogListing(catalog);
         ASSERT_EQ(lines.size(), catalog.size());
         EXPECT_EQ(lines.front(), L"power.high\tPerformance\t2\t-\tUndetermined\tТвик power.high");
       }},
      {"state cache", [&] { EXPECT_EQ(TweakStateCache::instance().cachedState(*catalog.front(), 2000), TweakState::Undetermined); }},
      {"category job",
       [&] {
         const JobResult result = runCategoryJob(catalog, TweakCategory::Privacy, false);
         EXPECT_NE(result.text.find(L"1 ошибок"), std::wstring::npos) << std::string(result.text.begin(), result.text.end());
       }},
      {"selected job",
       [&] {
         const JobResult result = runSelectedJob({catalog.front(), catalog[1]});
         EXPECT_FALSE(result.text.empty());
         EXPECT_FALSE(result.needsReboot);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reader);
    EXPECT_NO_THROW(c.run());
  }
}

}  // namespace
}  // namespace vx
