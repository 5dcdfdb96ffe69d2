// Checks over the whole catalogue: ids are unique, and every tweak id that the assistant, the
// recommendations, the profile tiers and the score name in their tables exists. The ids are found
// by scanning those tables' source files, so a table that gains an id is checked without a list here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "base/text.h"
#include "catalog/build_catalog.h"
#include "support/sim_test.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

// The folders and file-name starts whose tables name tweaks outside the groups.
struct TableSource {
  const char* folder;
  const char* nameStart;  // empty: every file there
};
constexpr TableSource kTableSources[] = {
    {"src/assistant", ""}, {"src/hw", "recommendations"}, {"src/core", "profiles"}, {"src/hw", "system_score"}};

std::string readText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct NamedId {
  std::string id;
  std::string file;
};

// Every wide literal that looks like a tweak id (a known id prefix, a dot, then id characters).
std::vector<NamedId> idsNamedInTables(const std::set<std::string>& prefixes) {
  std::vector<NamedId> found;
  const std::regex literal(R"__(L"([A-Za-z]+)\.([A-Za-z0-9_.\-]+)")__");
  for (const TableSource& source : kTableSources) {
    const fs::path folder = fs::path(VX_SOURCE_DIR) / source.folder;
    for (const auto& entry : fs::directory_iterator(folder)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(source.nameStart, 0) != 0) continue;
      const std::string text = readText(entry.path());
      for (std::sregex_iterator it(text.begin(), text.end(), literal), end; it != end; ++it) {
        if (prefixes.count((*it)[1].str()) == 0) continue;
        found.push_back({(*it)[1].str() + "." + (*it)[2].str(), std::string(source.folder) + "/" + name});
      }
    }
  }
  return found;
}

class CatalogChecksTest : public test::SimTest {};

TEST_F(CatalogChecksTest, IdsAreUnique) {
  std::set<std::wstring> seen;
  for (const TweakPtr& tweak : buildCatalog()) EXPECT_TRUE(seen.insert(tweak->id).second) << toUtf8(tweak->id);
}

TEST_F(CatalogChecksTest, EveryIdNamedOutsideTheGroupsExists) {
  std::set<std::string> ids, prefixes;
  for (const TweakPtr& tweak : buildCatalog()) {
    const std::string id = toUtf8(tweak->id);
    ids.insert(id);
    prefixes.insert(id.substr(0, id.find('.')));
  }
  const std::vector<NamedId> named = idsNamedInTables(prefixes);
  // The scan sees the tables at all: the recommendations alone name more than twenty tweaks.
  ASSERT_GT(named.size(), 20u);
  for (const NamedId& n : named) EXPECT_EQ(ids.count(n.id), 1u) << n.id << " in " << n.file;
}

// The Resizable BAR check only reports a reading: the score skips it because the tweak says so.
TEST_F(CatalogChecksTest, OnlyTheResizableBarCheckIsInformationOnly) {
  std::vector<std::wstring> informationOnly;
  for (const TweakPtr& tweak : buildCatalog())
    if (tweak->informationOnly()) informationOnly.push_back(tweak->id);
  EXPECT_EQ(informationOnly, std::vector<std::wstring>{L"perf.rebar_status"});
}

}  // namespace
}  // namespace vx
