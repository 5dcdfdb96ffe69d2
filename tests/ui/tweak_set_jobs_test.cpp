// The journal page's "Сохранить набор" and "Загрузить набор" with a fake host: the save dialog and
// the applied set written by a job, the open dialog, the dry-run confirmation ending "Применить N
// твиков?", the import as a job with its result on the status line, and refusals without a question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/tweak_set_file.h"
#include "platform/files.h"
#include "ui/jobs.h"
#include "ui/tweak_set_jobs.h"
#include "ui/ui_fixture.h"

namespace vx::test {
namespace {

class TweakSetJobsTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    done->state = TweakState::Applied;
  }
  void finishJob() {
    const JobResult r = host.waitForResult(host.resultCount());
    ui::onJobDone(state, host, &r.text, ui::jobFlags(r));
  }
  std::shared_ptr<FakeTweak> plain = addTweak(L"perf.plain"), done = addTweak(L"net.done", TweakCategory::Network);
};

TEST_F(TweakSetJobsTest, SaveWritesTheAppliedTweaksThroughTheSaveDialog) {
  host.chosenFile = L"";  // cancelled: nothing happens
  ui::saveTweakSet(state, host);
  EXPECT_EQ(host.resultCount(), 0u);

  host.chosenFile = L"C:\\set.json";
  ui::saveTweakSet(state, host);
  EXPECT_EQ(host.fileDialogs, (std::vector<bool>{true, true}));
  finishJob();
  EXPECT_EQ(state.statusText, L"Набор сохранён: 1 твиков — C:\\set.json");
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
  EXPECT_EQ(readTweakSet(L"C:\\set.json").ids, std::vector<std::wstring>{L"net.done"});
}

TEST_F(TweakSetJobsTest, LoadAsksWithTheDryRunThenImportsAsAJob) {
  ASSERT_TRUE(writeTweakSet(L"C:\\set.json", {L"net.done", L"perf.plain", L"perf.newer"}));
  host.chosenFile = L"C:\\set.json";
  host.answerYes = false;
  ui::loadTweakSet(state, host);
  EXPECT_EQ(host.fileDialogs, std::vector<bool>{false});
  EXPECT_EQ(host.lastQuestion, L"Твик net.done — уже применён\nТвик perf.plain — будет применён\n"
                               L"perf.newer — неизвестный id — пропущен\n\nПрименить 1 твиков?");
  EXPECT_EQ(plain->applies, 0);  // "Нет" changes nothing
  EXPECT_EQ(host.resultCount(), 0u);

  host.answerYes = true;
  ui::loadTweakSet(state, host);
  finishJob();
  EXPECT_EQ(plain->applies, 1);
  EXPECT_EQ(done->applies, 0);
  EXPECT_EQ(state.statusText, L"Импорт: применено 1, уже было 1, не применено 0");
  EXPECT_EQ(state.statusColor, ui::kColorSuccess);
  EXPECT_EQ(state.busy.load(), 0);
}

TEST_F(TweakSetJobsTest, ARefusedFileSaysWhyWithoutAQuestion) {
  struct Case {
    std::string text;
    const wchar_t* status;
  };
  const Case cases[] = {
      {"not json", L"Файл набора — не JSON"},
      {"{\"format\": \"vantorix-tweaks\", \"version\": 1, \"tweaks\": [\"x.none\"]}",
       L"В наборе нет ни одного известного твика"},
  };
  host.chosenFile = L"C:\\set.json";
  for (const Case& c : cases) {
    ASSERT_TRUE(writeFileBytes(L"C:\\set.json", c.text));
    ui::loadTweakSet(state, host);
    EXPECT_EQ(state.statusText, c.status);
    EXPECT_EQ(state.statusColor, ui::kColorFailure);
  }
  EXPECT_EQ(host.questions, 0);
  EXPECT_EQ(plain->applies, 0);
}

}  // namespace
}  // namespace vx::test
