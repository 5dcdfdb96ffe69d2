// Recognising what a question is about: lower-casing of both alphabets, the keyword groups as
// plain substrings (stems and trailing spaces included), the first game of the table, the
// expansion of short follow-ups and the look back over the last six history entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assistant/intents.h"

namespace vx {
namespace {

TEST(Normalise, LowersLatinAndCyrillicIncludingYo) {
  EXPECT_EQ(normalise(L"ПРИВЕТ Ёжик, Как Снизить INPUT Lag?"), L"привет ёжик, как снизить input lag?");
  EXPECT_EQ(normalise(L"ÀÉ 123 \U0001F3AE"), L"àé 123 \U0001F3AE") << "digits and emoji pass through";
}

// The flags set for a question, written as a list of names so each row reads as a sentence.
std::vector<std::string> flagNames(const IntentSet& s) {
  const std::pair<bool, const char*> flags[] = {
      {s.greeting, "greeting"}, {s.myPc, "myPc"},         {s.advice, "advice"},   {s.explain, "explain"},
      {s.rollback, "rollback"}, {s.help, "help"},         {s.inputLag, "inputLag"}, {s.games, "games"},
      {s.memory, "memory"},     {s.network, "network"},   {s.cpu, "cpu"},         {s.gpu, "gpu"},
      {s.privacy, "privacy"},   {s.cleanup, "cleanup"},   {s.drivers, "drivers"}, {s.score, "score"},
  };
  std::vector<std::string> names;
  for (const auto& [set, name] : flags)
    if (set) names.push_back(name);
  return names;
}

TEST(DetectIntents, EveryGroupMatchesPlainSubstringsOfTheNormalisedText) {
  struct Case {
    std::wstring question;
    std::vector<std::string> flags;
    std::wstring game;
  };
  const Case cases[] = {
      {L"Привет", {"greeting"}, L""},
      {L"this", {"greeting"}, L""},                            // "hi" inside a word is intended
      {L"как снизить input lag", {"inputLag"}, L""},
      {L"лагает в апексе", {"inputLag"}, L"апекс"},
      {L"тарков фризит", {"games"}, L"тарков"},
      {L"таркова лагает", {"inputLag"}, L"тарков"},            // the case ending still names the game
      {L"play tarkov or rust", {}, L"rust"},                   // no games keyword; "rust" is earlier in the table
      {L"новая игра", {"games"}, L""},
      {L"две игр подряд", {"games"}, L""},                     // "игр " with its trailing space
      {L"игры", {}, L""},                                      // neither "игра" nor "игр "
      {L"program", {"memory"}, L""},                           // "ram" inside "program"
      {L"местоимение", {"cleanup"}, L""},
      {L"rx 6800", {"gpu"}, L""},
      {L"rx6800", {}, L""},                                    // "rx " needs its space
      {L"i7-4790k", {"cpu"}, L""},
      {L"что у меня за железо", {"myPc"}, L""},
      {L"мое железо", {"myPc"}, L""},
      {L"что сделать с телеметрией", {"advice", "privacy"}, L""},
      {L"зачем нужен msi mode", {"explain"}, L""},
      {L"как откатить", {"rollback"}, L""},
      {L"что ты умеешь", {"help"}, L""},
      {L"пинг в valorant", {"network"}, L"valorant"},
      {L"свежий драйвер nvidia", {"gpu", "drivers"}, L""},
      {L"насколько оптимизирован", {"advice", "score"}, L""},  // "оптимизир" is advice, too
      {L"шпион", {"privacy"}, L""},
      {L"", {}, L""},
      {L"h", {}, L""},                                         // shorter than every keyword
  };
  for (const Case& c : cases) {
    const IntentSet intents = detectIntents(normalise(c.question));
    EXPECT_EQ(flagNames(intents), c.flags) << testing::PrintToString(c.question);
    EXPECT_EQ(intents.gameName, c.game) << testing::PrintToString(c.question);
  }
}

TEST(DetectIntents, KeywordsAreMatchedOnlyInLowerCase) {
  // detectIntents expects normalised text; the composer always normalises first.
  EXPECT_FALSE(detectIntents(L"ПРИВЕТ").greeting);
  EXPECT_TRUE(detectIntents(normalise(L"ПРИВЕТ")).greeting);
}

TEST(ExpandFollowUp, ShortFollowUpsGetTheLastTopic) {
  struct Case {
    std::wstring question;
    std::wstring lastTopic;
    std::wstring expanded;
  };
  const std::wstring sixteen = L"а ещё что-нибудь";  // exactly 16 code units
  ASSERT_EQ(sixteen.size(), 16u);
  const Case cases[] = {
      {L"еще", L"network", L"еще про network"},
      {L"ЕЩЁ", L"memory", L"ЕЩЁ про memory"},              // typed text kept, matched lower-cased
      {L"а подробнее?", L"cpu", L"а подробнее? про cpu"},
      {L"еще", L"", L"еще"},                               // no topic yet
      {L"привет", L"network", L"привет"},                  // no follow-up word
      {sixteen, L"games", sixteen},                        // 16 units is not shorter than 16
      {L"а ещё что-нибуд", L"games", L"а ещё что-нибуд про games"},  // 15 units
      // 14 characters, but each emoji is two code units: 16 units.
      {L"еще \U0001F600\U0001F600 ладно!!", L"gpu", L"еще \U0001F600\U0001F600 ладно!!"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(expandFollowUp(c.question, c.lastTopic), c.expanded) << testing::PrintToString(c.question);
}

TEST(MentionedRecently, LooksAtTheNewestSixEntriesLowerCased) {
  const auto entry = [](std::wstring text, bool fromUser) { return HistoryEntry{fromUser, std::move(text), {}, 0}; };
  std::vector<HistoryEntry> history = {entry(L"Как снизить INPUT LAG", true)};
  EXPECT_TRUE(mentionedRecently(history, L"input lag"));
  EXPECT_FALSE(mentionedRecently({}, L"input lag"));

  // Five more entries keep the mention within the six; the seventh pushes it out.
  for (int i = 0; i < 5; ++i) history.push_back(entry(L"другое", i % 2 == 0));
  EXPECT_TRUE(mentionedRecently(history, L"input lag"));
  history.push_back(entry(L"ещё другое", false));
  EXPECT_FALSE(mentionedRecently(history, L"input lag"));
}

}  // namespace
}  // namespace vx
