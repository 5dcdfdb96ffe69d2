// The elevated deletion walks on the simulated machine with a folder swapped for a link between
// its listing and the descent into it, as another user could do in a folder they may write to:
// the walk must not follow the new link, so nothing outside the cleaned tree is deleted.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <system_error>

#include "base/text.h"
#include "games/general_game_tweaks.h"
#include "platform/files.h"
#include "services/temp_cleanup.h"
#include "support/sim_test.h"

namespace vx {
namespace {

const std::wstring kVictim = L"C:\\Users\\Player\\Documents\\Saves";

class RedirectedDeletion : public test::SimTest {
 protected:
  void put(const std::wstring& path) {
    ASSERT_TRUE(createDirectories(path.substr(0, path.find_last_of(L'\\'))));
    ASSERT_TRUE(writeFileBytes(path, "data"));
  }
  // Once `parent` has been listed, its subfolder `name` is replaced by a link to the victim's
  // folder (the real folder is moved aside, as a rename would).
  void swapAfterListing(const std::wstring& parent, const std::wstring& name) {
    machine.onFolderListed([this, parent, name](std::wstring listed) {
      while (!listed.empty() && listed.back() == L'\\') listed.pop_back();
      if (!equalsFolded(listed, parent) || swapped) return;
      swapped = true;
      const auto host = machine.hostPath(joinPath(parent, name));
      std::error_code ec;
      std::filesystem::rename(host, machine.hostPath(L"C:\\moved-aside"), ec);
      std::filesystem::create_directory_symlink(machine.hostPath(kVictim), host, ec);
      ASSERT_FALSE(ec);
    });
  }
  bool swapped = false;
};

TEST_F(RedirectedDeletion, FolderSwappedForALinkAfterTheListingIsNotFollowed) {
  struct Case {
    const char* walk;
    std::wstring parent;  // the folder the walk lists
    std::function<void()> run;
  };
  const Case cases[] = {
      {"user Temp", L"C:\\Users\\Player\\AppData\\Local\\Temp", [] { cleanTempFiles(); }},
      {"Windows Temp", L"C:\\Windows\\Temp", [] { cleanTempFiles(); }},
      {"shader cache", L"C:\\Users\\Player\\AppData\\Local\\D3DSCache", [] { ClearShaderCacheTweak().apply(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.walk);
    machine.reset();
    swapped = false;
    put(kVictim + L"\\slot1.sav");
    put(kVictim + L"\\deep\\slot2.sav");
    put(c.parent + L"\\cache\\inner.tmp");
    put(c.parent + L"\\plain.tmp");
    swapAfterListing(c.parent, L"cache");

    c.run();
    EXPECT_TRUE(swapped) << "the swap happened between listing and descent";
    EXPECT_EQ(fileStatus(kVictim + L"\\slot1.sav").kind, FileKind::File) << "deleted through the planted link";
    EXPECT_EQ(fileStatus(kVictim + L"\\deep\\slot2.sav").kind, FileKind::File);
    EXPECT_EQ(fileStatus(c.parent + L"\\plain.tmp").kind, FileKind::Missing) << "the rest is still cleaned";
    EXPECT_TRUE(fileStatus(c.parent + L"\\cache").isLink) << "the link itself is left alone";
  }
}

}  // namespace
}  // namespace vx
