#include "assistant/reply_composer.h"

#include <array>
#include <chrono>
#include <span>
#include <string_view>

#include "assistant/hardware_summary.h"
#include "assistant/intents.h"
#include "assistant/memory_file.h"
#include "assistant/opening_phrases.h"
#include "assistant/reply_texts.h"
#include "assistant/tweak_ordering.h"
#include "base/text.h"

namespace vx {

namespace {

using namespace replytext;

constexpr std::size_t kGreetingMaxUnits = 30;  // longer texts only happen to contain "hi"
constexpr std::size_t kAdviceCount = 3;
constexpr std::int32_t kExampleQuestions = 6;  // the example list is shown up to the fifth question

// The question being answered.
struct Turn {
  const std::wstring& lowered;  // the (expanded) question, lower-cased
  const IntentSet& intents;
  std::wstring_view opening;
  AssistantMemory& memory;
  const ReplyContext& context;
  std::span<const HistoryEntry> before;  // the conversation before this question
};

bool contains(std::wstring_view text, std::wstring_view part) { return text.find(part) != std::wstring_view::npos; }

// A reply without its topic: the rule that chose it adds that.
AssistantReply reply(std::wstring text, std::vector<std::wstring> ids = {}) {
  return AssistantReply{std::move(text), std::move(ids), {}};
}

std::wstring withOpening(const Turn& turn, std::wstring_view text) { return std::wstring(turn.opening) + std::wstring(text); }

// --- the rules that build their text ---------------------------------------------------------------

AssistantReply greeting(const Turn& turn) {
  const std::int32_t count = turn.memory.userMessagesTotal;
  if (count == 1) return reply(std::wstring(kGreetingFirst));
  return reply(std::wstring(kGreetingAgainHead) + std::to_wstring(count) + std::wstring(kGreetingAgainTail));
}

AssistantReply hardware(const Turn& turn) {
  const HardwareProfile& hw = turn.context.hardware;
  std::wstring text = withOpening(turn, kHardwareHead) + hardwareSummary(hw);
  if (!hw.amdGpuFamily.empty()) text += std::wstring(kAmdGpuHead) + hw.amdGpuFamily + std::wstring(kAmdGpuTail);
  if (hw.oldIntelCpu) text += kIntelParagraph;
  return reply(std::move(text));
}

AssistantReply inputLag(const Turn& turn) {
  if (mentionedRecently(turn.before, L"input lag"))
    return reply(std::wstring(kInputLagRepeat), {L"net.vip.intr_moderation"});
  return reply(withOpening(turn, kInputLagFirst),
               {L"perf.usb_power", L"perf.fso_off", L"perf.bcd_hpet", L"perf.dyn_priority"});
}

AssistantReply games(const Turn& turn) {
  const std::wstring& game = turn.intents.gameName;
  std::wstring text(turn.opening);
  if (!game.empty()) text += std::wstring(kGameHead) + game + std::wstring(kGameTail);
  text += kGamesList;
  if (game == L"tarkov" || game == L"rust" || contains(turn.lowered, L"тарков") || contains(turn.lowered, L"раст"))
    text += kHeavyGamesParagraph;
  return reply(std::move(text),
               {L"perf.gpu_msi", L"perf.shader_cache", L"perf.hags", L"net.vip.disable_eee", L"net.vip.intr_moderation",
                L"perf.pcie_no_aspm"});
}

AssistantReply cpu(const Turn& turn) {
  const HardwareProfile& hw = turn.context.hardware;
  if (hw.oldIntelCpu && hw.intelGeneration >= 1) {
    std::wstring text = withOpening(turn, kIntelCpuHead) + std::to_wstring(hw.intelGeneration) + std::wstring(kIntelCpuGeneration);
    if (hw.intelModelNumber != 0) text += L" (" + std::to_wstring(hw.intelModelNumber) + L")";
    text += kIntelCpuTail;
    return reply(std::move(text), {L"perf.no_spectre_meltdown", L"perf.bcd_hpet", L"perf.dyn_priority"});
  }
  if (hw.amdRyzenCpu) return reply(withOpening(turn, kRyzen), {L"power.high", L"perf.usb_power", L"perf.dyn_priority"});
  return reply(withOpening(turn, kCpuGeneric), {L"power.high", L"perf.usb_power"});
}

AssistantReply gpu(const Turn& turn) {
  const HardwareProfile& hw = turn.context.hardware;
  if (!hw.amdGpuFamily.empty())
    return reply(withOpening(turn, kAmdGpuAdviceHead) + hw.amdGpuFamily + std::wstring(kAmdGpuAdviceTail),
                 {L"perf.gpu_msi", L"perf.pcie_no_aspm", L"perf.shader_cache"});
  if (!hw.nvidiaGpuFamily.empty())
    return reply(withOpening(turn, kNvidiaGpuAdviceHead) + hw.nvidiaGpuFamily + std::wstring(kNvidiaGpuAdviceTail),
                 {L"perf.gpu_msi", L"perf.nv_pstate", L"perf.hags"});
  return reply(withOpening(turn, kGpuGeneric), {L"perf.gpu_msi", L"perf.shader_cache", L"perf.hags"});
}

AssistantReply advice(const Turn& turn) {
  const std::vector<TweakPtr> candidates =
      unappliedByWeight(turn.context.catalog, turn.context.states, turn.memory.appliedStats);
  std::wstring text = withOpening(turn, kAdviceHeading);
  std::vector<std::wstring> ids;
  for (std::size_t i = 0; i < candidates.size() && i < kAdviceCount; ++i) {
    text += std::to_wstring(i + 1) + L". " + candidates[i]->title + L"\n";
    ids.push_back(candidates[i]->id);
  }
  return reply(std::move(text), std::move(ids));
}

AssistantReply fallback(const Turn& turn) {
  if (turn.memory.userMessagesTotal < kExampleQuestions) return reply(std::wstring(kFallbackExamples));
  return reply(std::wstring(kFallbackHint));
}

// --- the rules in their priority --------------------------------------------------------------------

// A reply of one fixed text, after the opening when it has one, offering fixed tweaks.
struct FixedReply {
  std::wstring_view text;
  bool opening = true;
  std::array<std::wstring_view, 4> ids = {};  // unused slots stay empty
};

struct Rule {
  const wchar_t* topic;
  bool (*applies)(const Turn&);
  AssistantReply (*compose)(const Turn&) = nullptr;  // nothing: the fixed reply
  FixedReply fixed = {};
};

template <bool IntentSet::*flag>
bool when(const Turn& turn) {
  return turn.intents.*flag;
}

AssistantReply composeFixed(const Rule& rule, const Turn& turn) {
  std::vector<std::wstring> ids;
  for (std::wstring_view id : rule.fixed.ids)
    if (!id.empty()) ids.emplace_back(id);
  return reply(rule.fixed.opening ? withOpening(turn, rule.fixed.text) : std::wstring(rule.fixed.text),
               std::move(ids));
}

constexpr Rule kRules[] = {
    {L"greeting", [](const Turn& t) { return t.intents.greeting && utf16Length(t.lowered) < kGreetingMaxUnits; }, greeting},
    {L"hardware", when<&IntentSet::myPc>, hardware},
    {L"drivers", when<&IntentSet::drivers>, nullptr, {kDrivers}},
    {L"score", when<&IntentSet::score>, nullptr, {kScore}},
    {L"inputlag", when<&IntentSet::inputLag>, inputLag},
    {L"games", [](const Turn& t) { return t.intents.games || !t.intents.gameName.empty(); }, games},
    {L"memory", when<&IntentSet::memory>, nullptr, {kMemory, true, {L"perf.system_cache"}}},
    {L"network", when<&IntentSet::network>, nullptr,
     {kNetwork, true, {L"net.vip.tcp_latency", L"net.vip.disable_eee", L"net.vip.intr_moderation", L"net.no_throttling"}}},
    {L"cpu", when<&IntentSet::cpu>, cpu},
    {L"gpu", when<&IntentSet::gpu>, gpu},
    {L"privacy", when<&IntentSet::privacy>, nullptr,
     {kPrivacy, true, {L"priv.telemetry", L"priv.diagtrack", L"priv.advertising_id"}}},
    {L"cleanup", when<&IntentSet::cleanup>, nullptr, {kCleanup, true, {L"clean.dism_winsxs"}}},
    {L"rollback", when<&IntentSet::rollback>, nullptr, {kRollback}},
    {L"help", when<&IntentSet::help>, nullptr, {kHelp, false}},
    {L"advice", when<&IntentSet::advice>, advice},
    {L"fallback", [](const Turn&) { return true; }, fallback},
};

std::int64_t readClock(const ReplyContext& context) { return context.wallClock ? context.wallClock() : fileTimeNow(); }

}  // namespace

std::int64_t fileTimeNow() {
  using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;  // 100 ns
  constexpr std::int64_t kUnixEpochInFileTime = 116'444'736'000'000'000;
  const auto sinceUnixEpoch = std::chrono::system_clock::now().time_since_epoch();
  return kUnixEpochInFileTime + std::chrono::duration_cast<Ticks>(sinceUnixEpoch).count();
}

AssistantReply composeReply(const std::wstring& question, AssistantMemory& memory, const ReplyContext& context) {
  incrementSaturating(memory.userMessagesTotal);
  const std::wstring lowered = normalise(expandFollowUp(question, memory.lastTopic));
  const IntentSet intents = detectIntents(lowered);

  appendHistory(memory, HistoryEntry{true, question, {}, readClock(context)});
  const std::wstring_view opening = drawOpening(context.random);
  const Turn turn{lowered, intents, opening, memory, context,
                  std::span<const HistoryEntry>(memory.history).first(memory.history.size() - 1)};

  AssistantReply answer;
  for (const Rule& rule : kRules) {
    if (rule.applies(turn)) {
      answer = rule.compose ? rule.compose(turn) : composeFixed(rule, turn);
      answer.topic = rule.topic;
      break;
    }
  }
  orderByWeight(answer.tweakIds, memory.appliedStats);

  appendHistory(memory, HistoryEntry{false, answer.text, answer.tweakIds, readClock(context)});
  incrementSaturating(memory.topicScore[answer.topic]);
  memory.lastTopic = answer.topic;
  return answer;
}

AnsweredQuestion answerQuestion(const std::wstring& question, AssistantMemory& memory, const ReplyContext& context,
                                const std::wstring& memoryFile) {
  AnsweredQuestion answered{composeReply(question, memory, context)};
  answered.saved = saveMemory(memory, memoryFile);
  return answered;
}

}  // namespace vx
