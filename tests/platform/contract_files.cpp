// What the file operations promise, on both backends: byte-exact reads and writes, atomic
// replacement without leftovers, folder creation and listing, and a tree walk that honours its
// depth, skips folders it cannot list and never follows a directory link.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

class FilesContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = scene::scratchFolder();
  }

  std::wstring path(const std::wstring& name) const { return joinPath(folder, name); }

  static std::vector<std::wstring> namesIn(const std::wstring& dir) {
    std::vector<std::wstring> names;
    if (const auto entries = listDirectory(dir))
      for (const DirEntry& entry : *entries) names.push_back(entry.name);
    return names;
  }

  // Paths visited by walkFiles, relative to the scratch folder.
  std::vector<std::wstring> walk(const std::wstring& root, int maxDepth) const {
    std::vector<std::wstring> visited;
    walkFiles(root, maxDepth, [&](const std::wstring& p, const DirEntry&) {
      visited.push_back(p.substr(0, folder.size()) == folder ? p.substr(folder.size() + 1) : p);
      return true;
    });
    return visited;
  }

  std::wstring folder;
};

// Bytes a text-mode stream would change: NUL, CR LF, a lone LF, Ctrl-Z and bytes above 0x7F.
const std::string kAwkwardBytes("a\0b\r\nc\nd\x1A" "e\xFF\x80", 12);

TEST_F(FilesContract, WriteAndReadAreByteExact) {
  const std::wstring file = path(L"data.bin");
  ASSERT_TRUE(writeFileBytes(file, kAwkwardBytes));
  EXPECT_EQ(readFileBytes(file), kAwkwardBytes);
  EXPECT_EQ(fileStatus(file).size, kAwkwardBytes.size());

  // CREATE_ALWAYS: a shorter write leaves nothing of the longer content behind.
  ASSERT_TRUE(writeFileBytes(file, "ab"));
  EXPECT_EQ(readFileBytes(file), std::string("ab"));

  ASSERT_TRUE(writeFileBytes(file, ""));
  EXPECT_EQ(readFileBytes(file), std::string());
}

TEST_F(FilesContract, ReadOfWhatIsNoFileIsNothing) {
  EXPECT_FALSE(readFileBytes(path(L"missing.txt")).has_value());
  EXPECT_FALSE(readFileBytes(path(L"no-folder\\missing.txt")).has_value());
  EXPECT_FALSE(readFileBytes(folder).has_value()) << "a folder is not a readable file";
}

TEST_F(FilesContract, WriteIntoAMissingFolderFails) {
  EXPECT_FALSE(writeFileBytes(path(L"no-folder\\x.txt"), "x"));
  EXPECT_FALSE(writeFileAtomic(path(L"no-folder\\x.txt"), "x"));
  EXPECT_EQ(fileStatus(path(L"no-folder")).kind, FileKind::Missing);
}

TEST_F(FilesContract, AtomicWriteReplacesTheContentAndLeavesNoTemporaryFile) {
  const std::wstring file = path(L"memory.json");
  ASSERT_TRUE(writeFileAtomic(file, "first version, the longer one"));
  EXPECT_EQ(readFileBytes(file), std::string("first version, the longer one"));

  ASSERT_TRUE(writeFileAtomic(file, kAwkwardBytes));
  EXPECT_EQ(readFileBytes(file), kAwkwardBytes);
  EXPECT_EQ(namesIn(folder), std::vector<std::wstring>{L"memory.json"});
}

TEST_F(FilesContract, FailedAtomicWriteKeepsTheTargetAndCleansUp) {
  // A folder cannot be replaced by a file: the move fails and the temporary file must go.
  const std::wstring target = path(L"target");
  ASSERT_TRUE(createDirectories(joinPath(target, L"inner")));
  EXPECT_FALSE(writeFileAtomic(target, "data"));
  EXPECT_EQ(fileStatus(target).kind, FileKind::Directory);
  EXPECT_EQ(namesIn(target), std::vector<std::wstring>{L"inner"});
  EXPECT_EQ(namesIn(folder), std::vector<std::wstring>{L"target"});
}

TEST_F(FilesContract, FileStatusTellsKindAndSize) {
  ASSERT_TRUE(writeFileBytes(path(L"five.txt"), "12345"));
  const FileStatus file = fileStatus(path(L"five.txt"));
  EXPECT_EQ(file.kind, FileKind::File);
  EXPECT_EQ(file.size, 5u);
  EXPECT_FALSE(file.isLink);
  EXPECT_EQ(fileStatus(folder).kind, FileKind::Directory);
  EXPECT_EQ(fileStatus(path(L"nothing")).kind, FileKind::Missing);
}

TEST_F(FilesContract, CreateDirectoriesMakesTheWholePathAndAcceptsAnExistingFolder) {
  const std::wstring nested = path(L"a\\b\\c");
  ASSERT_TRUE(createDirectories(nested));
  EXPECT_EQ(fileStatus(path(L"a")).kind, FileKind::Directory);
  EXPECT_EQ(fileStatus(nested).kind, FileKind::Directory);
  EXPECT_TRUE(createDirectories(nested)) << "an existing folder counts as success";
  EXPECT_TRUE(createDirectories(nested + L"\\")) << "a trailing backslash names the same folder";
  EXPECT_TRUE(createDirectories(folder));
}

TEST_F(FilesContract, CreateDirectoriesFailsWhereAFileIsInTheWay) {
  ASSERT_TRUE(writeFileBytes(path(L"plain"), "x"));
  EXPECT_FALSE(createDirectories(path(L"plain")));
  EXPECT_FALSE(createDirectories(path(L"plain\\below")));
  EXPECT_EQ(fileStatus(path(L"plain")).kind, FileKind::File);
}

TEST_F(FilesContract, ListDirectoryIsOneLevelSortedByName) {
  ASSERT_TRUE(writeFileBytes(path(L"B.txt"), "bb"));
  ASSERT_TRUE(writeFileBytes(path(L"a.txt"), "a"));
  ASSERT_TRUE(createDirectories(path(L"c\\deeper")));
  ASSERT_TRUE(writeFileBytes(path(L"c\\inside.txt"), "x"));

  const auto entries = listDirectory(folder);
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 3u);
  EXPECT_EQ((*entries)[0].name, L"a.txt");
  EXPECT_EQ((*entries)[0].size, 1u);
  EXPECT_FALSE((*entries)[0].isDirectory);
  EXPECT_EQ((*entries)[1].name, L"B.txt") << "letter case does not decide the order";
  EXPECT_EQ((*entries)[1].size, 2u);
  EXPECT_EQ((*entries)[2].name, L"c");
  EXPECT_TRUE((*entries)[2].isDirectory);
  EXPECT_FALSE((*entries)[2].isLink);

  const auto empty = listDirectory(path(L"c\\deeper"));
  ASSERT_TRUE(empty.has_value()) << "an empty folder lists as empty, not as nothing";
  EXPECT_TRUE(empty->empty());
  EXPECT_FALSE(listDirectory(path(L"missing")).has_value());
  EXPECT_FALSE(listDirectory(path(L"a.txt")).has_value()) << "a file is not a folder";
}

// root: top.txt, d1\f2.txt, d1\d2\f3.txt
class WalkContract : public FilesContract {
 protected:
  void SetUp() override {
    FilesContract::SetUp();
    ASSERT_TRUE(createDirectories(path(L"d1\\d2")));
    ASSERT_TRUE(writeFileBytes(path(L"top.txt"), "t"));
    ASSERT_TRUE(writeFileBytes(path(L"d1\\f2.txt"), "f2"));
    ASSERT_TRUE(writeFileBytes(path(L"d1\\d2\\f3.txt"), "f3"));
  }
};

TEST_F(WalkContract, DepthLimitsHowFarTheWalkGoes) {
  struct Case {
    int maxDepth;
    std::vector<std::wstring> visited;
  };
  const std::vector<Case> cases = {
      {0, {}},
      {1, {L"d1", L"top.txt"}},
      {2, {L"d1", L"d1\\d2", L"d1\\f2.txt", L"top.txt"}},
      {3, {L"d1", L"d1\\d2", L"d1\\d2\\f3.txt", L"d1\\f2.txt", L"top.txt"}},
      {9, {L"d1", L"d1\\d2", L"d1\\d2\\f3.txt", L"d1\\f2.txt", L"top.txt"}},
  };
  for (const Case& c : cases) EXPECT_EQ(walk(folder, c.maxDepth), c.visited) << "maxDepth " << c.maxDepth;
}

TEST_F(WalkContract, VisitorReturningFalseStopsTheWholeWalk) {
  int visits = 0;
  walkFiles(folder, 9, [&](const std::wstring&, const DirEntry& entry) {
    ++visits;
    return entry.name != L"d2";  // stop inside the nested folder
  });
  EXPECT_EQ(visits, 2) << "d1, then d1\\d2 and nothing after it";
}

TEST_F(WalkContract, EntriesCarryTheirKindAndSize) {
  std::vector<std::pair<std::wstring, DirEntry>> seen;
  walkFiles(folder, 9, [&](const std::wstring& p, const DirEntry& entry) {
    seen.emplace_back(p, entry);
    return true;
  });
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].first, path(L"d1"));
  EXPECT_TRUE(seen[0].second.isDirectory);
  EXPECT_EQ(seen[2].first, path(L"d1\\d2\\f3.txt"));
  EXPECT_EQ(seen[2].second.name, L"f3.txt");
  EXPECT_EQ(seen[2].second.size, 2u);
  EXPECT_FALSE(seen[2].second.isDirectory);
}

TEST_F(WalkContract, MissingRootVisitsNothing) { EXPECT_TRUE(walk(path(L"missing"), 9).empty()); }

TEST_F(WalkContract, FolderThatCannotBeListedIsSkippedAndTheWalkGoesOn) {
  // "a-denied" sorts first, so the entries after it show that the walk went on.
  ASSERT_TRUE(createDirectories(path(L"a-denied")));
  ASSERT_TRUE(writeFileBytes(path(L"a-denied\\hidden.txt"), "h"));
  if (!scene::denyFolder(path(L"a-denied")))
    GTEST_SKIP() << "this backend cannot make a folder unlistable (under Wine the listing still works)";
  EXPECT_EQ(walk(folder, 9), (std::vector<std::wstring>{L"a-denied", L"d1", L"d1\\d2", L"d1\\d2\\f3.txt",
                                                          L"d1\\f2.txt", L"top.txt"}));
}

TEST_F(WalkContract, DirectoryLinkIsReportedButNeverEntered) {
  const std::wstring outside = scene::scratchFolder();
  ASSERT_TRUE(writeFileBytes(joinPath(outside, L"secret.txt"), "s"));
  if (!scene::makeDirectoryLink(path(L"link"), outside))
    GTEST_SKIP() << "this backend cannot create a directory link";

  EXPECT_TRUE(fileStatus(path(L"link")).isLink);
  std::vector<DirEntry> linkEntries;
  walkFiles(folder, 9, [&](const std::wstring& p, const DirEntry& entry) {
    EXPECT_EQ(p.find(L"secret.txt"), std::wstring::npos) << "walked through the link to " << p;
    if (entry.name == L"link") linkEntries.push_back(entry);
    return true;
  });
  ASSERT_EQ(linkEntries.size(), 1u);
  EXPECT_TRUE(linkEntries[0].isLink);
  EXPECT_TRUE(linkEntries[0].isDirectory);
  EXPECT_EQ(readFileBytes(joinPath(outside, L"secret.txt")), std::string("s")) << "the target is untouched";
}

TEST_F(FilesContract, CopyFileHonoursOverwrite) {
  const std::wstring from = path(L"from.txt");
  const std::wstring to = path(L"to.txt");
  ASSERT_TRUE(writeFileBytes(from, kAwkwardBytes));

  EXPECT_TRUE(copyFile(from, to, false));
  EXPECT_EQ(readFileBytes(to), kAwkwardBytes);

  ASSERT_TRUE(writeFileBytes(to, "keep me"));
  EXPECT_FALSE(copyFile(from, to, false)) << "an existing target is not overwritten";
  EXPECT_EQ(readFileBytes(to), std::string("keep me"));

  EXPECT_TRUE(copyFile(from, to, true));
  EXPECT_EQ(readFileBytes(to), kAwkwardBytes);

  EXPECT_FALSE(copyFile(path(L"missing.txt"), path(L"copy.txt"), true));
  EXPECT_EQ(fileStatus(path(L"copy.txt")).kind, FileKind::Missing);
}

TEST_F(FilesContract, RemoveFileDeletesOnlyWhatExists) {
  const std::wstring file = path(L"gone.txt");
  ASSERT_TRUE(writeFileBytes(file, "x"));
  EXPECT_TRUE(removeFile(file));
  EXPECT_EQ(fileStatus(file).kind, FileKind::Missing);
  EXPECT_FALSE(removeFile(file)) << "nothing was there to remove";
}

TEST(JoinPath, PutsExactlyOneBackslashBetween) {
  struct Case {
    const wchar_t* folder;
    const wchar_t* name;
    const wchar_t* joined;
  };
  const Case cases[] = {
      {L"C:\\Games", L"cs2.exe", L"C:\\Games\\cs2.exe"},
      {L"C:\\Games\\", L"cs2.exe", L"C:\\Games\\cs2.exe"},
      {L"C:\\Games", L"\\cs2.exe", L"C:\\Games\\cs2.exe"},
      {L"C:\\", L"Windows", L"C:\\Windows"},
      {L"C:\\Games", L"cfg\\video.txt", L"C:\\Games\\cfg\\video.txt"},
      {L"", L"\\cs2.exe", L"cs2.exe"},
  };
  for (const Case& c : cases) EXPECT_EQ(joinPath(c.folder, c.name), c.joined);
}

}  // namespace
}  // namespace vx
