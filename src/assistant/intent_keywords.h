// The word tables the assistant recognises questions by: the sixteen keyword groups, the game
// names and the follow-up words. Read by intent detection (intents.cpp) only.
#pragma once
#include <span>
#include <string_view>

#include "assistant/intents.h"

namespace vx {

// One keyword group: the IntentSet flag it sets and its lower-case keywords, some of them stems
// or ending in a space, matched as plain substrings.
struct KeywordGroup {
  bool IntentSet::*flag;
  std::span<const std::wstring_view> keywords;
};

std::span<const KeywordGroup> keywordGroups();
// Searched in order; the first one found names the game.
std::span<const std::wstring_view> gameNames();
std::span<const std::wstring_view> followUpWords();

}  // namespace vx
