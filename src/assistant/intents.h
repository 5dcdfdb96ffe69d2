// What a question is about: lower-casing, the expansion of short follow-ups with the last topic,
// the keyword groups and the game name, and whether a word came up in the recent conversation.
// The reply composer (reply_composer.h) calls these for every question.
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "assistant/assistant_memory.h"

namespace vx {

// One flag per keyword group, plus the first game of the game table named in the text.
struct IntentSet {
  bool greeting = false;
  bool myPc = false;
  bool advice = false;
  bool explain = false;  // recognised, but chooses no reply
  bool rollback = false;
  bool help = false;
  bool inputLag = false;
  bool games = false;
  bool memory = false;
  bool network = false;
  bool cpu = false;
  bool gpu = false;
  bool privacy = false;
  bool cleanup = false;
  bool drivers = false;
  bool score = false;
  std::wstring gameName;
  bool operator==(const IntentSet&) const = default;
};

// Every letter lower-cased, Latin and Cyrillic (Ё too), one UTF-16 code unit at a time.
std::wstring normalise(std::wstring_view text);

// A question shorter than 16 UTF-16 code units that holds a follow-up word ("ещё", "подробнее")
// becomes question + " про " + lastTopic; anything else, or no last topic, stays as typed.
std::wstring expandFollowUp(const std::wstring& question, const std::wstring& lastTopic);

// The flags of every group whose keyword occurs anywhere in the (normalised) text, and the game.
IntentSet detectIntents(std::wstring_view normalisedText);

// The lower-cased text of one of the newest 6 history entries (questions and replies) contains
// the word.
constexpr std::size_t kRecentEntries = 6;
bool mentionedRecently(std::span<const HistoryEntry> history, std::wstring_view word);

}  // namespace vx
