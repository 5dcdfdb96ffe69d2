// Temporary-file cleanup on the simulated machine: the three folders are emptied but kept, sizes
// add up to whole MiB, read-only files are deleted, locked files counted as failures, and links
// are skipped so nothing outside the folders is touched.
#include "services/temp_cleanup.h"

#include <gtest/gtest.h>

#include "base/text.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "platform/files.h"
#include "services/cleanup_job.h"
#include "support/sim_test.h"

namespace vx {
namespace {

const std::wstring kUserTemp = L"C:\\Users\\Player\\AppData\\Local\\Temp";
const std::wstring kWindowsTemp = L"C:\\Windows\\Temp";
const std::wstring kPrefetch = L"C:\\Windows\\Prefetch";

class TempCleanupTest : public test::SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ASSERT_TRUE(createDirectories(kPrefetch));
  }

  void put(const std::wstring& path, std::size_t bytes) {
    const std::size_t cut = path.find_last_of(L'\\');
    ASSERT_TRUE(createDirectories(path.substr(0, cut)));
    ASSERT_TRUE(writeFileBytes(path, std::string(bytes, 'x')));
  }

  bool exists(const std::wstring& path) const { return fileStatus(path).kind != FileKind::Missing; }
  bool isEmptyFolder(const std::wstring& path) const {
    const auto entries = listDirectory(path);
    return entries && entries->empty();
  }

  bool link(const std::wstring& linkPath, const std::wstring& target) {
    std::error_code ec;
    std::filesystem::create_directory_symlink(machine.hostPath(target), machine.hostPath(linkPath), ec);
    return !ec;
  }
};

TEST_F(TempCleanupTest, EmptiesTheThreeFoldersButKeepsThem) {
  put(kUserTemp + L"\\a.tmp", 10);
  put(kUserTemp + L"\\setup\\nested\\b.log", 20);
  put(kWindowsTemp + L"\\c.tmp", 30);
  put(kPrefetch + L"\\GAME.EXE-1234.pf", 40);

  const CleanupResult result = cleanTempFiles();
  EXPECT_EQ(result, (CleanupResult{4, 0, 0}));
  for (const auto& folder : {kUserTemp, kWindowsTemp, kPrefetch}) {
    EXPECT_TRUE(exists(folder)) << toUtf8(folder);
    EXPECT_TRUE(isEmptyFolder(folder)) << toUtf8(folder);
  }
}

TEST_F(TempCleanupTest, FreedSpaceCountsWholeMebibytesOfAllThreeFolders) {
  struct Case {
    std::size_t files;
    std::size_t bytesEach;
    std::uint64_t megabytes;
  };
  const Case cases[] = {
      {1, 3 << 19, 1},         // 1.5 MiB
      {600, 1024, 0},          // 600 KiB
      {1, (1 << 20) - 1, 0},   // one byte short
      {3, 1 << 19, 1},         // spread over the folders: 1.5 MiB in all
  };
  for (const Case& c : cases) {
    machine.reset();
    ASSERT_TRUE(createDirectories(kPrefetch));
    const std::wstring folders[] = {kUserTemp, kWindowsTemp, kPrefetch};
    for (std::size_t i = 0; i < c.files; ++i) put(folders[i % 3] + L"\\f" + std::to_wstring(i), c.bytesEach);
    const CleanupResult result = cleanTempFiles();
    EXPECT_EQ(result.filesDeleted, c.files);
    EXPECT_EQ(result.megabytesFreed, c.megabytes) << c.files << " x " << c.bytesEach;
  }
}

TEST_F(TempCleanupTest, ReadOnlyFileIsDeletedAndCounted) {
  const std::wstring file = kUserTemp + L"\\locked-down.txt";
  put(file, 5);
  machine.setReadOnly(file);
  ASSERT_FALSE(removeFile(file)) << "the simulated machine must refuse a read-only file like DeleteFileW";

  EXPECT_EQ(cleanTempFiles(), (CleanupResult{1, 0, 0}));
  EXPECT_FALSE(exists(file));
}

TEST_F(TempCleanupTest, FileInUseIsCountedAsFailedAndKeepsItsFolder) {
  const std::wstring busy = kUserTemp + L"\\app\\busy.dat";
  put(busy, 5);
  machine.setReadOnly(busy);
  machine.lockFile(busy);

  const CleanupResult alone = cleanTempFiles();
  EXPECT_EQ(alone, (CleanupResult{0, 0, 1}));
  EXPECT_TRUE(exists(busy));
  EXPECT_TRUE(machine.isReadOnly(busy)) << "a file that could not be deleted keeps its read-only flag";
  EXPECT_FALSE(tempCleanupJobResult(alone).succeeded) << "nothing deleted and a failure: red";

  put(kWindowsTemp + L"\\free.tmp", 5);
  const CleanupResult mixed = cleanTempFiles();
  EXPECT_EQ(mixed, (CleanupResult{1, 0, 1}));
  EXPECT_TRUE(tempCleanupJobResult(mixed).succeeded);
}

TEST_F(TempCleanupTest, LinkInTempIsSkippedAndItsTargetUntouched) {
  const std::wstring saves = L"C:\\Users\\Player\\Documents\\Saves";
  put(saves + L"\\slot1.sav", 100);
  put(saves + L"\\deep\\slot2.sav", 100);
  ASSERT_TRUE(link(kUserTemp + L"\\saves-link", saves));
  put(kWindowsTemp + L"\\inner\\x.tmp", 1);
  ASSERT_TRUE(link(kWindowsTemp + L"\\inner\\up", L"C:\\Users\\Player\\Documents"));
  put(kUserTemp + L"\\plain.tmp", 1);

  const CleanupResult result = cleanTempFiles();
  EXPECT_EQ(result, (CleanupResult{2, 0, 0})) << "only the two plain files";
  EXPECT_TRUE(exists(kWindowsTemp + L"\\inner")) << "a folder that still holds a link stays";
  EXPECT_TRUE(exists(saves + L"\\slot1.sav"));
  EXPECT_TRUE(exists(saves + L"\\deep\\slot2.sav"));
  EXPECT_TRUE(fileStatus(kUserTemp + L"\\saves-link").isLink) << "the link itself is skipped, not removed";
}

TEST_F(TempCleanupTest, TempFolderThatIsItselfALinkIsLeftAlone) {
  const std::wstring elsewhere = L"C:\\Data";
  put(elsewhere + L"\\keep.txt", 1);
  ASSERT_TRUE(link(L"C:\\Users\\Player\\LinkedTemp", elsewhere));
  machine.setTempDirectory(L"C:\\Users\\Player\\LinkedTemp\\");
  EXPECT_EQ(cleanTempFiles(), CleanupResult{});
  EXPECT_TRUE(exists(elsewhere + L"\\keep.txt"));
}

TEST_F(TempCleanupTest, UserTempIsCleanedOnlyWhenItIsATempFolderAndHoldsNoSystemFolder) {
  struct Case {
    const wchar_t* temp;  // as GetTempPathW answers
    bool cleaned;
  };
  const Case cases[] = {
      {L"C:\\", false},
      {L"C:\\Windows\\", false},
      {L"C:\\Windows\\system32\\", false},
      {L"C:\\Users\\", false},
      {L"C:\\Users\\Player\\", false},
      {L"C:\\ProgramData\\", false},
      {L"C:\\Users\\Player\\Documents\\", false},  // not named Temp or Tmp
      {L"C:\\Users\\Player\\Temp\\..\\", false},
      {L"C:\\Temp\\", true},                        // holds none of the system folders
      {L"D:\\Temp\\", true},
      {L"D:\\TMP\\", true},
      {L"C:\\Users\\Player\\AppData\\Local\\Temp\\", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(toUtf8(c.temp));
    machine.reset();
    const std::wstring folder = c.temp;
    const std::wstring canary = joinPath(folder, L"canary.txt");
    put(canary, 10);
    machine.setTempDirectory(folder);
    const CleanupResult result = cleanTempFiles();
    EXPECT_EQ(exists(canary), !c.cleaned);
    EXPECT_EQ(result.filesDeleted, c.cleaned ? 1u : 0u) << "a skipped part counts nothing";
    EXPECT_EQ(result.failedDeletions, 0u);
  }
}

TEST_F(TempCleanupTest, WindowsTempAndPrefetchOnlyBelowARealWindowsFolder) {
  put(L"C:\\Temp\\canary.txt", 1);
  put(L"C:\\Prefetch\\canary.pf", 1);
  machine.setTempDirectory(std::nullopt);
  machine.setWindowsDirectory(L"C:\\");
  EXPECT_EQ(cleanTempFiles(), CleanupResult{});
  EXPECT_TRUE(exists(L"C:\\Temp\\canary.txt"));
  EXPECT_TRUE(exists(L"C:\\Prefetch\\canary.pf"));
}

TEST_F(TempCleanupTest, MissingFoldersAreSkippedAndTheOthersStillCleaned) {
  put(kWindowsTemp + L"\\a.tmp", 1);
  machine.setTempDirectory(std::nullopt);
  EXPECT_EQ(cleanTempFiles(), (CleanupResult{1, 0, 0})) << "no user Temp: Windows Temp still cleaned";

  put(kUserTemp + L"\\b.tmp", 1);
  machine.setTempDirectory(L"C:\\Nowhere\\");
  machine.setWindowsDirectory(std::nullopt);
  EXPECT_EQ(cleanTempFiles(), CleanupResult{});
  EXPECT_TRUE(exists(kUserTemp + L"\\b.tmp"));
}

}  // namespace
}  // namespace vx
