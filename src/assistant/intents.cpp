#include "assistant/intents.h"

#include <algorithm>

#include "assistant/intent_keywords.h"
#include "base/text.h"

namespace vx {

namespace {

constexpr std::size_t kFollowUpMaxUnits = 16;  // a follow-up is shorter than this

bool containsText(std::wstring_view text, std::wstring_view word) { return text.find(word) != std::wstring_view::npos; }

}  // namespace

std::wstring normalise(std::wstring_view text) { return toLowerFolded(text); }

std::wstring expandFollowUp(const std::wstring& question, const std::wstring& lastTopic) {
  if (lastTopic.empty() || utf16Length(question) >= kFollowUpMaxUnits) return question;
  const std::wstring lowered = normalise(question);
  const auto words = followUpWords();
  const bool followUp =
      std::any_of(words.begin(), words.end(), [&](std::wstring_view word) { return containsText(lowered, word); });
  return followUp ? question + L" про " + lastTopic : question;
}

IntentSet detectIntents(std::wstring_view text) {
  IntentSet intents;
  for (const KeywordGroup& group : keywordGroups())
    intents.*group.flag = std::any_of(group.keywords.begin(), group.keywords.end(),
                                      [&](std::wstring_view keyword) { return containsText(text, keyword); });
  for (std::wstring_view game : gameNames()) {
    if (containsText(text, game)) {
      intents.gameName = std::wstring(game);
      break;
    }
  }
  return intents;
}

bool mentionedRecently(std::span<const HistoryEntry> history, std::wstring_view word) {
  const std::size_t count = std::min(history.size(), kRecentEntries);
  return std::any_of(history.end() - static_cast<std::ptrdiff_t>(count), history.end(),
                     [&](const HistoryEntry& entry) { return containsText(normalise(entry.text), word); });
}

}  // namespace vx
