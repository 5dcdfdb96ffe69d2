// What appending to a file promises, on both backends: the file is created when missing, every
// append lands whole at its end (also from two threads at once), a read-only file is refused as
// Windows refuses it, and a directory link under the name is never written through.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/scene.h"

namespace vx {
namespace {

class FileAppendContract : public ::testing::Test {
 protected:
  void SetUp() override {
    scene::reset();
    folder = scene::scratchFolder();
  }
  std::wstring folder;
};

TEST_F(FileAppendContract, CreatesTheFileAndAddsEachWriteAtItsEnd) {
  const std::wstring file = joinPath(folder, L"journal.jsonl");
  ASSERT_TRUE(appendFileBytes(file, "one\n"));
  ASSERT_TRUE(appendFileBytes(file, std::string("t\0o\r\n", 5)));
  EXPECT_EQ(readFileBytes(file), std::string("one\nt\0o\r\n", 9));
  EXPECT_FALSE(appendFileBytes(joinPath(folder, L"missing\\journal.jsonl"), "x"));
}

TEST_F(FileAppendContract, TwoWritersAtOnceLoseNothingAndNeverInterleaveAWrite) {
  const std::wstring file = joinPath(folder, L"shared.txt");
  constexpr int kWrites = 200;
  const auto writer = [&](char mark) {
    for (int i = 0; i < kWrites; ++i) appendFileBytes(file, std::string(300, mark) + "\n");
  };
  std::thread a(writer, 'a');
  std::thread b(writer, 'b');
  a.join();
  b.join();
  const std::string bytes = readFileBytes(file).value_or("");
  ASSERT_EQ(bytes.size(), 2u * kWrites * 301);
  for (std::size_t at = 0; at < bytes.size(); at += 301)
    ASSERT_EQ(bytes.substr(at, 301), std::string(300, bytes[at]) + "\n") << "at " << at;
}

// Windows refuses FILE_APPEND_DATA on a read-only file; the simulated machine as well.
TEST_F(FileAppendContract, AReadOnlyFileIsRefused) {
  const std::wstring file = joinPath(folder, L"kept.txt");
  ASSERT_TRUE(writeFileBytes(file, "kept"));
  ASSERT_TRUE(scene::makeReadOnly(file));
  EXPECT_FALSE(appendFileBytes(file, "more"));
  EXPECT_EQ(readFileBytes(file), "kept");
}

TEST_F(FileAppendContract, ADirectoryLinkUnderTheNameIsNotWrittenThrough) {
  const std::wstring target = joinPath(folder, L"target");
  ASSERT_TRUE(createDirectories(target));
  const std::wstring link = joinPath(folder, L"journal.jsonl");
  if (!scene::makeDirectoryLink(link, target)) GTEST_SKIP() << "this backend cannot make a directory link";
  EXPECT_FALSE(appendFileBytes(link, "x"));
  EXPECT_EQ(listDirectory(target)->size(), 0u);
}

}  // namespace
}  // namespace vx
