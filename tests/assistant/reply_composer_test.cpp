// Replies chosen by the rules in their priority: topic, offered tweaks and text for each kind of
// question, the answers that depend on the conversation (second greeting, repeated input-lag
// question, follow-ups, the fallback from the sixth question), on the machine (CPU, GPU, the
// hardware summary) and on the learned weights; and what a turn leaves in the memory.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "assistant/hardware_summary.h"
#include "assistant/reply_texts.h"
#include "assistant_fixture.h"

namespace vx {
namespace {

using namespace replytext;
using Ids = std::vector<std::wstring>;

const Ids kInputLagIds = {L"perf.usb_power", L"perf.fso_off", L"perf.bcd_hpet", L"perf.dyn_priority"};
const Ids kGameIds = {L"perf.gpu_msi", L"perf.shader_cache", L"perf.hags", L"net.vip.disable_eee",
                      L"net.vip.intr_moderation", L"perf.pcie_no_aspm"};
const std::wstring kFirstGreeting =
    L"Привет! Я локальный AI-ассистент Vantorix. Помню что ты говорил, учусь на твоих оценках. Спроси меня что улучшить.";

using Conversation = test::AssistantConversation;

// The first question of a fresh memory; the opening is the default engine's first draw.
TEST_F(Conversation, EachKindOfQuestionGetsItsTopicTweaksAndText) {
  struct Case {
    std::wstring question;
    std::wstring topic;
    Ids ids;
    std::wstring text;  // exactly, opening included
  };
  const std::wstring o = test::kFirstOpening;
  const std::wstring gamesFor = L" критичны два аспекта: задержка ввода и стабильность frametime.\n\n";
  const std::wstring heavy = std::wstring(kHeavyGamesParagraph);
  const Case cases[] = {
      {L"Привет", L"greeting", {}, kFirstGreeting},  // no opening
      {L"hi", L"greeting", {}, kFirstGreeting},
      // 30 units or more is no greeting even with "привет" in it.
      {L"привет, как снизить input lag?", L"inputlag", kInputLagIds, o + std::wstring(kInputLagFirst)},
      {L"привет, как снизить input lag", L"greeting", {}, kFirstGreeting},  // 29 units
      {L"драйвер для игр", L"drivers", {}, o + std::wstring(kDrivers)},   // drivers before games
      {L"оценка пинга", L"score", {}, o + std::wstring(kScore)},          // score before network
      {L"как снизить input lag", L"inputlag", kInputLagIds, o + std::wstring(kInputLagFirst)},
      {L"лагает в апексе", L"inputlag", kInputLagIds, o + std::wstring(kInputLagFirst)},
      {L"Таркову не хватает FPS", L"games", kGameIds, o + L"Для тарков" + gamesFor + std::wstring(kGamesList) + heavy},
      {L"rust", L"games", kGameIds, o + L"Для rust" + gamesFor + std::wstring(kGamesList) + heavy},
      {L"valorant", L"games", kGameIds, o + L"Для valorant" + gamesFor + std::wstring(kGamesList)},
      {L"новая игра", L"games", kGameIds, o + std::wstring(kGamesList)},
      {L"растут фризы", L"games", kGameIds, o + L"Для раст" + gamesFor + std::wstring(kGamesList) + heavy},
      {L"мало ОЗУ", L"memory", {L"perf.system_cache"}, o + std::wstring(kMemory)},
      {L"высокий пинг", L"network",
       {L"net.vip.tcp_latency", L"net.vip.disable_eee", L"net.vip.intr_moderation", L"net.no_throttling"},
       o + std::wstring(kNetwork)},
      {L"телеметрия", L"privacy", {L"priv.telemetry", L"priv.diagtrack", L"priv.advertising_id"}, o + std::wstring(kPrivacy)},
      {L"мусор на диске", L"cleanup", {L"clean.dism_winsxs"}, o + std::wstring(kCleanup)},
      {L"как откатить", L"rollback", {}, o + std::wstring(kRollback)},
      {L"что ты умеешь", L"help", {}, std::wstring(kHelp)},  // no opening
      {L"абракадабра", L"fallback", {},
       L"Не уверен что точно ты имеешь в виду. Спроси, например:\n• «что у меня за железо»\n• «как снизить input lag»\n"
       L"• «что улучшить для игр»\n• «оцени мой пк»"},
      {L"зачем", L"fallback", {}, std::wstring(kFallbackExamples)},  // explain alone chooses nothing
  };
  for (const Case& c : cases) {
    memory = {};
    random = std::mt19937{};
    const AssistantReply reply = ask(c.question);
    const std::string label = testing::PrintToString(c.question);
    EXPECT_EQ(reply.topic, c.topic) << label;
    EXPECT_EQ(reply.tweakIds, c.ids) << label;
    EXPECT_EQ(reply.text, c.text) << label;
  }
}

TEST_F(Conversation, SecondGreetingCountsTheMessages) {
  EXPECT_EQ(ask(L"привет").text, kFirstGreeting);
  EXPECT_EQ(ask(L"привет").text, L"Снова привет. Сегодня уже 2-е сообщение. Что нужно?");

  // The count goes on from the saved total, which is raised before the reply is composed.
  memory = {};
  memory.userMessagesTotal = 41;
  EXPECT_EQ(ask(L"Привет").text, L"Снова привет. Сегодня уже 42-е сообщение. Что нужно?");
  EXPECT_EQ(memory.userMessagesTotal, 42);
}

TEST_F(Conversation, RepeatedInputLagQuestionGetsTheShortAnswer) {
  EXPECT_EQ(ask(L"как снизить input lag").tweakIds, kInputLagIds);
  const AssistantReply again = ask(L"как снизить input lag");
  EXPECT_EQ(again.text,
            L"Я уже разбирал это с тобой выше. Ещё могу предложить:\n\n• Включить движок (он поднимет таймер 0.5ms когда "
            L"стартует игра)\n• Отключить Interrupt Moderation на NIC если у тебя Intel/Realtek");
  EXPECT_EQ(again.tweakIds, Ids{L"net.vip.intr_moderation"});

  // Three other questions (six entries) later the earlier answer is out of sight again.
  for (const wchar_t* q : {L"телеметрия", L"мусор", L"пинг"}) ask(q);
  EXPECT_EQ(ask(L"снова input lag").tweakIds, kInputLagIds);
}

TEST_F(Conversation, ShortFollowUpsContinueTheLastTopic) {
  hardware.amdRyzenCpu = true;
  EXPECT_EQ(ask(L"процессор").topic, L"cpu");
  EXPECT_EQ(ask(L"еще").topic, L"cpu") << "expanded to \"еще про cpu\"";
  EXPECT_EQ(memory.history[memory.history.size() - 2].text, L"еще") << "the history keeps the question as typed";
  EXPECT_EQ(ask(L"а ещё что-нибудь").topic, L"fallback") << "16 code units are not expanded";

  // The topic key of most replies is no keyword of its group, so the expansion falls through.
  ask(L"пинг");
  EXPECT_EQ(ask(L"подробнее").topic, L"fallback");
}

TEST_F(Conversation, FallbackShowsExamplesForTheFirstFiveQuestionsThenAHint) {
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(ask(L"абракадабра").text, kFallbackExamples) << i;
  EXPECT_EQ(ask(L"абракадабра").text,
            L"Не понял что именно нужно. Попробуй: «что улучшить для игр», «как снизить лаг в апексе», «оцени мой пк».");
}

TEST_F(Conversation, CpuAnswerFollowsTheProcessor) {
  struct Case {
    const char* machine;
    HardwareProfile hw;
    std::wstring text;  // after the opening
    Ids ids;
  };
  const auto intel = [](std::uint32_t generation, std::uint32_t model, bool old) {
    HardwareProfile hw;
    hw.intelGeneration = generation;
    hw.intelModelNumber = model;
    hw.oldIntelCpu = old;
    return hw;
  };
  HardwareProfile ryzen;
  ryzen.amdRyzenCpu = true;
  const Ids intelIds = {L"perf.no_spectre_meltdown", L"perf.bcd_hpet", L"perf.dyn_priority"};
  const std::wstring intelTail =
      L".\n\nСамый ощутимый прирост:\n• Отключение митигаций Spectre/Meltdown — до 10–15%\n• Стабилизация таймера через "
      L"BCD\n• Win32PrioritySeparation = 38";
  const Case cases[] = {
      {"i7-4790K", intel(4, 4790, true), L"У тебя Intel 4 поколения (4790)" + intelTail, intelIds},
      {"old Intel without a model number", intel(2, 0, true), L"У тебя Intel 2 поколения" + intelTail, intelIds},
      {"i5-12400F", intel(12, 12400, false),
       L"Конкретно про твой CPU мне сложно сказать больше — оставлю универсальные советы: высокий план питания и USB "
       L"Power Save выкл.",
       {L"power.high", L"perf.usb_power"}},
      {"Ryzen", ryzen, std::wstring(kRyzen), {L"power.high", L"perf.usb_power", L"perf.dyn_priority"}},
  };
  for (const Case& c : cases) {
    memory = {};
    random = std::mt19937{};
    hardware = c.hw;
    const AssistantReply reply = ask(L"что с процессором");
    EXPECT_EQ(reply.text, test::kFirstOpening + c.text) << c.machine;
    EXPECT_EQ(reply.tweakIds, c.ids) << c.machine;
  }
}

TEST_F(Conversation, GpuAnswerFollowsTheGraphicsFamily) {
  struct Case {
    std::wstring amd, nvidia;
    std::wstring text;  // after the opening
    Ids ids;
  };
  const Case cases[] = {
      {L"RDNA2", L"", L"AMD RDNA2. Что делать:\n• MSI Mode (High Priority)\n• PCIe ASPM выкл\n• Кэш шейдеров увеличить",
       {L"perf.gpu_msi", L"perf.pcie_no_aspm", L"perf.shader_cache"}},
      {L"", L"Ampere",
       L"NVIDIA Ampere. Что делать:\n• MSI Mode (High Priority)\n• Запретить P-state скатывание (P0)\n• HAGS если ещё не "
       L"включён",
       {L"perf.gpu_msi", L"perf.nv_pstate", L"perf.hags"}},
      {L"", L"", L"Не могу точно определить вендора видеокарты. Универсально:\n• MSI Mode\n• Кэш шейдеров\n• HAGS",
       {L"perf.gpu_msi", L"perf.shader_cache", L"perf.hags"}},
  };
  for (const Case& c : cases) {
    memory = {};
    random = std::mt19937{};
    hardware = {};
    hardware.amdGpuFamily = c.amd;
    hardware.nvidiaGpuFamily = c.nvidia;
    const AssistantReply reply = ask(L"Видеокарта");
    EXPECT_EQ(reply.text, test::kFirstOpening + c.text) << testing::PrintToString(c.amd + c.nvidia);
    EXPECT_EQ(reply.tweakIds, c.ids);
  }
}

TEST(HardwareSummary, FiveLinesWithQuestionMarksForUnknownNames) {
  EXPECT_EQ(hardwareSummary(HardwareProfile{}), L"CPU: ?\nGPU: ?\nОЗУ: 0 ГБ\nСистемный диск: HDD\nТип: десктоп");
  HardwareProfile hw;
  hw.cpuName = L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz";
  hw.gpuName = L"AMD Radeon RX 580";
  hw.totalRamMb = 16383;  // whole GiB, rounded down
  hw.isSsd = true;
  hw.isLaptop = true;
  EXPECT_EQ(hardwareSummary(hw), L"CPU: Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz\nGPU: AMD Radeon RX 580\nОЗУ: 15 ГБ\n"
                                 L"Системный диск: SSD\nТип: ноутбук");
}

TEST_F(Conversation, HardwareAnswerAddsTheAmdAndOldIntelParagraphs) {
  hardware.cpuName = L"Intel(R) Core(TM) i7-4790K CPU @ 4.00GHz";
  hardware.gpuName = L"AMD Radeon RX 580";
  hardware.totalRamMb = 8192;
  hardware.amdGpuFamily = L"Polaris";
  hardware.oldIntelCpu = true;
  const AssistantReply reply = ask(L"Что у меня за железо?");
  EXPECT_EQ(reply.topic, L"hardware");
  EXPECT_TRUE(reply.tweakIds.empty());
  EXPECT_EQ(reply.text,
            std::wstring(test::kFirstOpening) + L"Вот что я вижу на твоём ПК:\n\n" + hardwareSummary(hardware) +
                L"\n\nВижу AMD Polaris — для этой архитектуры особенно полезен MSI Mode и Polaris-friendly настройки PCIe." +
                L"\n\nCPU 4-7 поколения Intel сильно теряет от Spectre/Meltdown патчей. Для офлайн-игрового ПК их можно "
                L"отключить — спроси «как отключить spectre».");

  hardware.amdGpuFamily.clear();
  hardware.oldIntelCpu = false;
  EXPECT_EQ(ask(L"мой пк").text.find(L"\n\n", 40), std::wstring::npos) << "summary only, no paragraph";
}

TEST_F(Conversation, OpeningsComeFromOneEngineInDrawOrder) {
  // Default-seeded MT19937: outputs 3499211612, 581869302, 3890346734, 3586334585 modulo 5 are
  // 2, 2, 4, 0. Every question draws, also those whose reply has no opening.
  EXPECT_EQ(ask(L"пинг").text.substr(0, 7), L"Понял. ");
  EXPECT_EQ(ask(L"помощь").text, kHelp) << "draws the second output without using it";
  EXPECT_EQ(ask(L"пинг").text.substr(0, 6), L"Окей. ");
  EXPECT_EQ(ask(L"пинг").text, kNetwork) << "the empty opening";

  random.seed(12345);
  std::mt19937 copy(12345);
  const wchar_t* openings[] = {L"", L"Хм, ", L"Понял. ", L"Так, посмотрим. ", L"Окей. "};
  EXPECT_EQ(ask(L"пинг").text, openings[copy() % 5] + std::wstring(kNetwork)) << "a test can seed the engine";
}

TEST_F(Conversation, OfferedTweaksAreOrderedByLearnedWeight) {
  memory.appliedStats[L"perf.hags"] = {5, 0};
  memory.appliedStats[L"perf.gpu_msi"] = {0, 3};
  memory.appliedStats[L"net.vip.disable_eee"] = {std::numeric_limits<std::int32_t>::max(),
                                                 std::numeric_limits<std::int32_t>::min()};  // weight past 32 bits
  const AssistantReply reply = ask(L"фпс");
  EXPECT_EQ(reply.tweakIds, (Ids{L"net.vip.disable_eee", L"perf.hags", L"perf.shader_cache", L"net.vip.intr_moderation",
                                 L"perf.pcie_no_aspm", L"perf.gpu_msi"}));
  for (const std::wstring& id : kGameIds) EXPECT_EQ(memory.appliedStats.count(id), 1u) << "every id gets an entry";
  EXPECT_EQ(memory.appliedStats[L"perf.shader_cache"], (TweakStats{0, 0}));
  EXPECT_EQ(memory.history.back().tweakIds, reply.tweakIds) << "the history holds the ordered ids";
}

TEST_F(Conversation, AdviceListsTheTopThreeNotAppliedByWeight) {
  const auto add = [this](const wchar_t* id, TweakState state) {
    auto tweak = test::makeFake(id);
    tweak->state = state;
    catalog.push_back(tweak);
  };
  add(L"a.applied", TweakState::Applied);
  add(L"b.open", TweakState::NotApplied);
  add(L"c.unknown", TweakState::Undetermined);  // only NotApplied counts
  add(L"d.open", TweakState::NotApplied);
  add(L"e.missing", TweakState::Unavailable);
  add(L"f.open", TweakState::NotApplied);
  add(L"g.open", TweakState::NotApplied);
  memory.appliedStats[L"g.open"] = {2, 0};
  memory.appliedStats[L"c.unknown"] = {9, 0};

  const AssistantReply reply = ask(L"что улучшить?");
  EXPECT_EQ(reply.topic, L"advice");
  // g first by weight; b and d, equal at 0, in catalogue order.
  EXPECT_EQ(reply.tweakIds, (Ids{L"g.open", L"b.open", L"d.open"}));
  EXPECT_EQ(reply.text, std::wstring(test::kFirstOpening) +
                            L"Топ-3 неприменённых твика для тебя:\n\n1. Твик g.open\n2. Твик b.open\n3. Твик d.open\n");
  EXPECT_EQ(memory.appliedStats.count(L"f.open"), 1u) << "every candidate is weighed";
  EXPECT_EQ(memory.appliedStats.count(L"a.applied"), 0u);

  // Nothing left to apply: the heading alone.
  for (auto& tweak : catalog) static_cast<test::FakeTweak&>(*tweak).state = TweakState::Applied;
  const AssistantReply done = ask(L"рекомендации");
  EXPECT_EQ(done.text.substr(done.text.find(L"Топ")), L"Топ-3 неприменённых твика для тебя:\n\n");
  EXPECT_TRUE(done.tweakIds.empty());
}

TEST_F(Conversation, AdviceSurvivesAThrowingQuery) {
  auto broken = test::makeFake(L"broken");
  broken->throwOnQuery = true;
  auto fine = test::makeFake(L"fine");
  catalog = {broken, fine};
  EXPECT_EQ(ask(L"посоветуй").tweakIds, Ids{L"fine"});
}

TEST_F(Conversation, EachTurnIsRecordedInTheMemory) {
  clock = 42;
  ask(L"Пинг");
  clock = 43;
  ask(L"еще");
  EXPECT_EQ(memory.userMessagesTotal, 2);
  EXPECT_EQ(memory.topicScore, (std::map<std::wstring, std::int32_t>{{L"fallback", 1}, {L"network", 1}}));
  EXPECT_EQ(memory.lastTopic, L"fallback");
  ASSERT_EQ(memory.history.size(), 4u);
  EXPECT_EQ(memory.history[0], (HistoryEntry{true, L"Пинг", {}, 42}));
  EXPECT_FALSE(memory.history[1].fromUser);
  EXPECT_EQ(memory.history[1].tweakIds.size(), 4u);
  EXPECT_EQ(memory.history[1].time, 42);
  EXPECT_EQ(memory.history[2], (HistoryEntry{true, L"еще", {}, 43}));
}

TEST_F(Conversation, HistoryPast200EntriesDropsTheOldest100) {
  for (int i = 1; i <= 100; ++i) ask(L"вопрос " + std::to_wstring(i));
  EXPECT_EQ(memory.history.size(), 200u);
  ask(L"вопрос 101");
  ASSERT_EQ(memory.history.size(), 102u);
  EXPECT_EQ(memory.history.front().text, L"вопрос 51");
  EXPECT_EQ(memory.history[memory.history.size() - 2].text, L"вопрос 101");
  EXPECT_EQ(memory.userMessagesTotal, 101) << "the total is not trimmed";
}

TEST_F(Conversation, CountersStopAtTheLargest32BitValue) {
  memory.userMessagesTotal = std::numeric_limits<std::int32_t>::max();
  memory.topicScore[L"network"] = std::numeric_limits<std::int32_t>::max();
  ask(L"пинг");
  EXPECT_EQ(memory.userMessagesTotal, std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(memory.topicScore[L"network"], std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST(FileTimeNow, CountsHundredNanosecondsSince1601) {
  // 2024-01-01 and 2100-01-01 UTC as FILETIME.
  EXPECT_GT(fileTimeNow(), 133'485'408'000'000'000);
  EXPECT_LT(fileTimeNow(), 157'469'184'000'000'000);
}

}  // namespace
}  // namespace vx
