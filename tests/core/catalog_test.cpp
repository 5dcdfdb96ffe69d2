// Catalogue lookups used by the pages, the click handlers and the jobs: category order, card
// indexes, and id lists that keep their own order and skip what matches nothing.
#include <gtest/gtest.h>

#include "core/catalog.h"
#include "support/fake_tweak.h"

namespace vx {
namespace {

using test::makeFake;

class CatalogTest : public ::testing::Test {
 protected:
  // A and C on the performance page, B on the network page, D on the Pro page.
  TweakPtr a = makeFake(L"power.high", TweakCategory::Performance);
  TweakPtr b = makeFake(L"net.no_throttling", TweakCategory::Network);
  TweakPtr c = makeFake(L"perf.visualfx", TweakCategory::Performance);
  TweakPtr d = makeFake(L"pro.x", TweakCategory::Pro);
  TweakCatalog catalog{a, b, c, d};
};

TEST_F(CatalogTest, NthInCategoryCountsOnlyThatCategoryInOrder) {
  struct Case {
    TweakCategory category;
    std::size_t k;
    TweakPtr expected;
  };
  const Case cases[] = {
      {TweakCategory::Performance, 0, a}, {TweakCategory::Performance, 1, c}, {TweakCategory::Performance, 2, nullptr},
      {TweakCategory::Network, 0, b},     {TweakCategory::Network, 1, nullptr}, {TweakCategory::Pro, 0, d},
      {TweakCategory::Games, 0, nullptr},  // a category without tweaks has no cards at all
      {TweakCategory::Performance, static_cast<std::size_t>(-1), nullptr},
  };
  for (const Case& x : cases)
    EXPECT_EQ(nthInCategory(catalog, x.category, x.k), x.expected) << static_cast<int>(x.category) << "/" << x.k;
  EXPECT_EQ(tweaksInCategory(catalog, TweakCategory::Performance), (std::vector<TweakPtr>{a, c}));
  EXPECT_TRUE(tweaksInCategory(catalog, TweakCategory::Cleanup).empty());
  EXPECT_EQ(nthInCategory({}, TweakCategory::Performance, 0), nullptr);
}

TEST_F(CatalogTest, FindByIdsKeepsTheListOrderAndSkipsUnknownIds) {
  struct Case {
    std::vector<std::wstring> ids;
    std::vector<TweakPtr> expected;
  };
  const std::vector<Case> cases = {
      {{L"net.no_throttling", L"no.such.id", L"power.high"}, {b, a}},
      {{L"pro.x", L"pro.x"}, {d, d}},  // repeats repeat
      {{L"POWER.HIGH", L"power.high ", L"power", L""}, {}},  // exact, case-sensitive, whole id
      {{}, {}},
  };
  for (const Case& x : cases) EXPECT_EQ(findByIds(catalog, x.ids), x.expected) << x.ids.size();
}

TEST_F(CatalogTest, LookupsShareTheCatalogueObjects) {
  auto twin = makeFake(L"power.high", TweakCategory::System);
  catalog.push_back(twin);
  EXPECT_EQ(findById(catalog, L"power.high"), a) << "the first tweak with the id wins";
  const long before = a.use_count();
  const auto found = findByIds(catalog, {L"power.high", L"power.high"});
  EXPECT_EQ(a.use_count(), before + 2) << "the result holds further references, not copies";
  EXPECT_EQ(findById(catalog, L"missing"), nullptr);
}

TEST(CategoryLabels, NameEverySidebarPage) {
  const wchar_t* expected[] = {L"Производительность", L"Игры", L"Конфиденциальность", L"Сеть",
                               L"Система",            L"Очистка", L"Pro"};
  for (int i = 0; i < kCategoryCount; ++i)
    EXPECT_STREQ(categoryLabel(static_cast<TweakCategory>(i)), expected[i]);
  EXPECT_STREQ(categoryLabel(static_cast<TweakCategory>(kCategoryCount)), L"");
}

}  // namespace
}  // namespace vx
