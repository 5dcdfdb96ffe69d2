#include "ui/send_question.h"

#include "assistant/memory_file.h"
#include "assistant/opening_phrases.h"
#include "assistant/reply_composer.h"
#include "assistant/state_source.h"

namespace vx::ui {

namespace {

std::wstring trimSpacesAndTabs(const std::wstring& text) {
  const auto first = text.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  const auto last = text.find_last_not_of(L" \t");
  return text.substr(first, last - first + 1);
}

}  // namespace

void sendQuestion(UiState& state, WindowHost& host) {
  if (!state.memory) return;
  const std::wstring question = trimSpacesAndTabs(host.inputText());
  if (question.empty()) return;  // the blanks stay in the box
  state.chat.push_back(ChatMessage{true, question, {}});
  // Known states, also stale ones: the reply queries only the tweaks the cache has never seen, so
  // its cost does not grow with the catalogue (the refresher keeps the known ones current).
  TweakStateCache& cache = *state.states;
  const StateSource known = [&cache](Tweak& tweak) { return cache.knownState(tweak); };
  const ReplyContext context{state.hardware, state.catalogue, known, assistantRandom()};
  const AnsweredQuestion answered = answerQuestion(question, *state.memory, context, state.memoryFile);
  state.chat.push_back(ChatMessage{false, answered.reply.text, answered.reply.tweakIds});
  host.clearInputText();
  state.chatScroll = 0;
  host.invalidate();
}

}  // namespace vx::ui
