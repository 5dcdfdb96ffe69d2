// vxctl ask: the local assistant in the console. With a question it prints one reply; without one
// it answers the lines of standard input until its end. It reads and rewrites the same memory.json
// as the window: the window loads it once and saves after each reply, so with both running the
// last one to save wins.
#include <string>
#include <vector>

#include "assistant/memory_file.h"
#include "assistant/opening_phrases.h"
#include "assistant/reply_composer.h"
#include "assistant/state_source.h"
#include "base/text.h"
#include "cli/cli_catalog.h"
#include "cli/cli_command.h"
#include "hw/hardware_profile.h"
#include "platform/console.h"

namespace vx::cli {

namespace {

std::wstring trimmed(const std::wstring& text) {
  const auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; };
  std::size_t begin = 0, end = text.size();
  while (begin < end && isBlank(text[begin])) ++begin;
  while (end > begin && isBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// One conversation: the memory loaded once, saved after every reply.
class ConsoleChat {
 public:
  ConsoleChat() : path_(memoryPath()), hardware_(detectHardware()) { loadMemory(memory_, path_); }

  // Prints the reply and, when it offers tweaks, their ids on one more line. False when the memory
  // could not be saved.
  bool answer(const std::wstring& question) {
    const ReplyContext context{hardware_, catalog(), directStates(), assistantRandom()};
    const AnsweredQuestion answered = answerQuestion(question, memory_, context, path_);
    printLine(answered.reply.text);
    if (!answered.reply.tweakIds.empty()) {
      std::wstring ids;
      for (const std::wstring& id : answered.reply.tweakIds) ids += (ids.empty() ? L"" : L", ") + id;
      printLine(L"твики: " + ids);
    }
    if (!answered.saved)
      printError(L"vxctl: память ассистента не сохранена" + (path_.empty() ? std::wstring() : L" (" + path_ + L")"));
    return answered.saved;
  }

 private:
  std::wstring path_;
  HardwareProfile hardware_;
  AssistantMemory memory_;
};

int runAsk(const std::vector<std::wstring>& args) {
  ConsoleChat chat;
  if (!args.empty()) {
    std::wstring question;
    for (const std::wstring& word : args) question += (question.empty() ? L"" : L" ") + word;
    question = trimmed(question);
    if (question.empty()) return usageError(L"пустой вопрос");
    return chat.answer(question) ? kExitOk : kExitFailed;
  }
  // A chat: one question per line of input, a blank line between the replies.
  bool allSaved = true;
  bool first = true, firstLine = true;
  while (auto line = readStdinLine()) {
    if (firstLine && !line->empty() && line->front() == L'\xFEFF') line->erase(0, 1);  // a byte order mark
    firstLine = false;
    const std::wstring question = trimmed(*line);
    if (question.empty()) continue;
    if (!first) printLine(L"");
    first = false;
    allSaved = chat.answer(question) && allSaved;
  }
  return allSaved ? kExitOk : kExitFailed;
}

const CliRegistrar registrar{{CliPlace::Ask, L"ask", L"vxctl ask [ВОПРОС]",
                              L"спросить ассистента; без вопроса — чат, вопрос на строку из stdin; память общая с "
                              L"окном (при одновременной работе верна последняя запись)",
                              runAsk}};

}  // namespace

}  // namespace vx::cli
