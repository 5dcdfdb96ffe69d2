#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "assistant/memory_file.h"
#include "platform/files.h"
#include "platform/system.h"
#include "ui/input_handlers.h"
#include "ui/send_question.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

class UiSendQuestion : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    state.memory = &memory;
    state.memoryFile = *programDataFolder() + L"\\Vantorix\\memory.json";
    createDirectories(*programDataFolder() + L"\\Vantorix");
  }
  AssistantMemory memory;
};

TEST_F(UiSendQuestion, TrimmedQuestionIsAnsweredAndTheMemorySaved) {
  host.input = L" \t привет  ";
  state.chatScroll = 40;
  ui::sendQuestion(state, host);
  ASSERT_EQ(state.chat.size(), 2u);
  EXPECT_TRUE(state.chat[0].fromUser);
  EXPECT_EQ(state.chat[0].text, L"привет");
  EXPECT_FALSE(state.chat[1].fromUser);
  EXPECT_FALSE(state.chat[1].text.empty());
  EXPECT_TRUE(host.input.empty());
  EXPECT_EQ(state.chatScroll, 0);
  EXPECT_EQ(memory.userMessagesTotal, 1);
  AssistantMemory reloaded;
  loadMemory(reloaded, state.memoryFile);
  EXPECT_EQ(reloaded.userMessagesTotal, 1);
}

TEST_F(UiSendQuestion, AdviceQueriesOnlyTweaksTheCacheHasNeverSeen) {
  // Known states a minute old (stale for the cards) are taken as they are; only the unseen tweak
  // is asked, once.
  std::vector<std::shared_ptr<FakeTweak>> known;
  for (int i = 0; i < 5; ++i) {
    known.push_back(addTweak(L"perf.k" + std::to_wstring(i)));
    cache.refresh(*known.back());
  }
  cache.clear();
  auto unseen = addTweak(L"perf.unseen");
  std::vector<int> before;
  for (const auto& t : known) before.push_back(t->queries);
  host.input = L"что посоветуешь";
  ui::sendQuestion(state, host);
  ASSERT_EQ(state.chat.size(), 2u);
  EXPECT_FALSE(state.chat[1].tweakIds.empty());  // the advice list was built
  for (std::size_t i = 0; i < known.size(); ++i) EXPECT_EQ(known[i]->queries, before[i]) << "perf.k" << i;
  EXPECT_EQ(unseen->queries, 1);
}

TEST_F(UiSendQuestion, BlankQuestionStaysInTheBoxAndAddsNothing) {
  for (const std::wstring blank : {L"", L"   ", L"\t \t"}) {
    host.input = blank;
    ui::sendQuestion(state, host);
    EXPECT_EQ(host.input, blank);
  }
  EXPECT_TRUE(state.chat.empty());
  EXPECT_EQ(memory.userMessagesTotal, 0);
}

TEST_F(UiSendQuestion, SendButtonAsksAlsoWhileAJobRuns) {
  state.hitRegions = {ui::HitRegion{{0, 0, 10, 10}, ui::HitKind::SendQuestion, -1}};
  host.input = L"что у меня";
  ui::onClick(state, host, 5, 5);
  EXPECT_EQ(state.chat.size(), 2u);
  // The click dispatcher is locked during a job; the Enter key of the box is not.
  state.busy = 1;
  host.input = L"что у меня";
  ui::onClick(state, host, 5, 5);
  EXPECT_EQ(state.chat.size(), 2u);
  ui::sendQuestion(state, host);
  EXPECT_EQ(state.chat.size(), 4u);
}

}  // namespace
}  // namespace vx::test
