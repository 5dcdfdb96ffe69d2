// Answers one question of the chat: recognises its intents, picks one reply by a fixed priority,
// adapts it to the machine, the tweaks not yet applied and the memory, and records the turn in the
// memory. The assistant page calls it on the UI thread; vxctl ask calls it from the console.
#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "assistant/assistant_memory.h"
#include "assistant/state_source.h"
#include "core/tweak.h"
#include "hw/hardware_profile.h"

namespace vx {

struct AssistantReply {
  std::wstring text;
  std::vector<std::wstring> tweakIds;  // offered for one-click apply, best first; may be empty
  std::wstring topic;                  // the key counted in topicScore ("greeting", "advice", ...)
  bool operator==(const AssistantReply&) const = default;
};

// Everything a reply depends on besides the question and the memory.
struct ReplyContext {
  const HardwareProfile& hardware;
  const TweakCatalog& catalog;
  StateSource states;                     // for the advice list; only NotApplied counts
  std::mt19937& random;                   // draws the opening phrase
  std::function<std::int64_t()> wallClock = {};  // FILETIME ticks; empty: the system clock
};

// One turn: counts the question, appends it and the reply to the history, orders the reply's
// tweaks by their weights, counts the topic and sets lastTopic. Does not save; see answerQuestion.
AssistantReply composeReply(const std::wstring& question, AssistantMemory& memory, const ReplyContext& context);

// composeReply, then saveMemory to the path (memory_file.h). `saved` tells whether the file was
// written; the reply stands either way.
struct AnsweredQuestion {
  AssistantReply reply;
  bool saved = false;
};
AnsweredQuestion answerQuestion(const std::wstring& question, AssistantMemory& memory, const ReplyContext& context,
                                const std::wstring& memoryFile);

// The system clock as FILETIME: 100-ns ticks since 1 January 1601 UTC.
std::int64_t fileTimeNow();

}  // namespace vx
