// memory.json on the simulated machine: its place under ProgramData, a load of a missing file, a
// save that replaces the previous file as a whole, and a failed save that leaves it intact.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "assistant/memory_file.h"
#include "platform/files.h"
#include "support/sim_test.h"

namespace vx {
namespace {

using MemoryPath = test::SimTest;

std::string hostFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(MemoryPath, LivesInTheVantorixFolderOfProgramData) {
  machine.setProgramDataFolder(std::wstring(L"D:\\Data"));
  ASSERT_TRUE(createDirectories(L"D:\\Data"));  // ProgramData exists; the Vantorix folder in it is made private
  EXPECT_EQ(memoryPath(), L"D:\\Data\\Vantorix\\memory.json");
  EXPECT_EQ(fileStatus(L"D:\\Data\\Vantorix").kind, FileKind::Directory) << "the folder is created";

  machine.setProgramDataFolder(std::nullopt);
  EXPECT_EQ(memoryPath(), L"");
  AssistantMemory memory;
  memory.userMessagesTotal = 3;
  loadMemory(memory, memoryPath());
  EXPECT_EQ(memory.userMessagesTotal, 3) << "nothing to load from";
  EXPECT_FALSE(saveMemory(memory, memoryPath()));
}

TEST_F(MemoryPath, SaveReplacesTheFileAndLoadReadsItBack) {
  const std::wstring path = memoryPath();
  AssistantMemory missing;
  loadMemory(missing, path);
  EXPECT_TRUE(missing.samePersistedState(AssistantMemory{})) << "no file yet";

  // A longer earlier file must not leave a tail behind the shorter new one.
  ASSERT_TRUE(writeFileBytes(path, std::string(4096, 'x')));
  AssistantMemory memory;
  memory.userMessagesTotal = 7;
  memory.topicScore[L"сеть"] = 2;
  memory.appliedStats[L"perf.hags"] = {1, 0};
  ASSERT_TRUE(saveMemory(memory, path));
  EXPECT_EQ(readFileBytes(path), formatMemory(memory));

  AssistantMemory loaded;
  loadMemory(loaded, path);
  EXPECT_TRUE(loaded.samePersistedState(memory));

  // Nothing but the file itself is left in the folder.
  const auto entries = listDirectory(L"C:\\ProgramData\\Vantorix");
  ASSERT_TRUE(entries);
  ASSERT_EQ(entries->size(), 1u);
  EXPECT_EQ(entries->front().name, L"memory.json");
}

TEST_F(MemoryPath, AFailedSaveKeepsThePreviousFile) {
  const std::wstring path = memoryPath();
  AssistantMemory memory;
  memory.userMessagesTotal = 1;
  ASSERT_TRUE(saveMemory(memory, path));
  const std::string before = formatMemory(memory);

  machine.denyDirectory(L"C:\\ProgramData\\Vantorix");  // nothing can be written there any more
  memory.userMessagesTotal = 2;
  EXPECT_FALSE(saveMemory(memory, path));
  EXPECT_EQ(hostFileBytes(machine.hostPath(path)), before);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST_F(MemoryPath, FileOverOneMebibyteIsNotReadAndTheNextSaveReplacesIt) {
  struct Case {
    std::size_t bytes;
    std::int32_t loaded;
  };
  const std::string head = "{\r\n  \"userMessagesTotal\": 41,\r\n";
  const Case cases[] = {{1u << 20, 41}, {(1u << 20) + 1, 0}, {2u << 20, 0}};
  for (const Case& c : cases) {
    machine.reset();
    const std::wstring path = memoryPath();
    ASSERT_TRUE(writeFileBytes(path, head + std::string(c.bytes - head.size(), ' ')));
    AssistantMemory memory;
    loadMemory(memory, path);
    EXPECT_EQ(memory.userMessagesTotal, c.loaded) << c.bytes << " bytes";
    memory.userMessagesTotal += 1;
    ASSERT_TRUE(saveMemory(memory, path));
    EXPECT_EQ(readFileBytes(path), formatMemory(memory));
  }
}

}  // namespace
}  // namespace vx
