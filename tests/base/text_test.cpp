// The text helpers that must behave alike on Windows and Linux: case folding without a locale,
// UTF-16 lengths where wchar_t is 32-bit, and UTF-8 conversion that never lets a malformed
// sequence through as a real character.
#include <gtest/gtest.h>

#include <string>

#include "base/text.h"

namespace vx {
namespace {

TEST(FoldChar, LowersAsciiLatin1AndCyrillicOnly) {
  struct Case {
    wchar_t in;
    wchar_t out;
  };
  const Case cases[] = {
      {L'A', L'a'},        {L'Z', L'z'},        {L'a', L'a'},        {L'@', L'@'},         // '@' precedes 'A'
      {L'[', L'['},        {L'`', L'`'},        {L'0', L'0'},        {L'\xB5', L'\xB5'},   // µ has no capital here
      {L'\xC0', L'\xE0'},  {L'\xDE', L'\xFE'},  {L'\xC9', L'\xE9'},                        // À→à, Þ→þ, É→é
      {L'\xD7', L'\xD7'},  {L'\xDF', L'\xDF'},  {L'\xFF', L'\xFF'},  {L'\xE0', L'\xE0'},   // × ß ÿ à stay
      {L'А', L'а'},        {L'Я', L'я'},        {L'П', L'п'},        {L'Ё', L'ё'},
      {L'\x400', L'\x450'}, {L'\x40F', L'\x45F'}, {L'Ї', L'ї'},                             // Ѐ, Џ, Ї
      {L'а', L'а'},        {L'ё', L'ё'},        {L'я', L'я'},
      {L'Σ', L'Σ'},                                                                        // Greek is not folded
  };
  for (const Case& c : cases)
    EXPECT_EQ(foldChar(c.in), c.out) << std::hex << static_cast<unsigned>(c.in);
}

TEST(FoldedText, ComparesAndSearchesWithoutCase) {
  EXPECT_EQ(toLowerFolded(L"ПРИВЕТ, Ёжик! ÀÉ Steam"), L"привет, ёжик! àé steam");
  EXPECT_TRUE(equalsFolded(L"ЁЛКА", L"ёлка"));
  EXPECT_TRUE(equalsFolded(L"SysMain", L"sysmain"));
  EXPECT_FALSE(equalsFolded(L"ёлка", L"елка")) << "Ё is its own letter";
  EXPECT_FALSE(equalsFolded(L"abc", L"abcd"));
  EXPECT_TRUE(containsFolded(L"NVIDIA GeForce RTX 3070", L"geforce rtx"));
  EXPECT_TRUE(containsFolded(L"Как ОТКЛЮЧИТЬ телеметрию", L"отключить"));
  EXPECT_FALSE(containsFolded(L"Radeon", L"radeon rx"));
  EXPECT_TRUE(containsFolded(L"anything", L""));
}

TEST(Utf16Length, CountsCharactersOutsideTheBmpTwice) {
  EXPECT_EQ(utf16Length(L""), 0u);
  EXPECT_EQ(utf16Length(L"abc"), 3u);
  EXPECT_EQ(utf16Length(L"Жёлтый"), 6u);
  EXPECT_EQ(utf16Length(L"\U0001F3AE"), 2u);
  EXPECT_EQ(utf16Length(L"a\U0001F3AEб\U0001F600"), 6u);
}

TEST(Utf8, RoundTripsEveryPlaneWithExactBytes) {
  EXPECT_EQ(toUtf8(L"Ж€\U0001F600"), "\xD0\x96\xE2\x82\xAC\xF0\x9F\x98\x80");
  const std::wstring samples[] = {
      L"", L"plain ASCII", L"Привет, Ёжик", L"ÀÞß×ÿ", L"€ ≠ ∞", L"\U0001F3AE\U0001F600x", std::wstring(L"a\0b", 3),
  };
  for (const auto& text : samples) EXPECT_EQ(fromUtf8(toUtf8(text)), text);
}

TEST(Utf8, MalformedInputBecomesReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::wstring text;
  };
  const std::wstring bad(1, L'\xFFFD');
  const Case cases[] = {
      {"a\x80" "b", L"a" + bad + L"b"},                    // a stray continuation byte
      {"\xC0\xAF", bad + bad},                             // overlong "/" must not become "/"
      {"\xE0\x80\xAF", bad + bad + bad},                   // overlong in three bytes
      {"\xED\xA0\x80", bad + bad + bad},                   // an encoded surrogate
      {"\xF4\x90\x80\x80", bad + bad + bad + bad},         // beyond U+10FFFF
      {"ok\xE2\x82", L"ok" + bad + bad},                   // truncated at the end
      {"\xD0" "A", bad + L"A"},                            // lead byte without its continuation
  };
  for (const Case& c : cases) EXPECT_EQ(fromUtf8(c.bytes), c.text) << c.bytes.size();
  EXPECT_EQ(toUtf8(std::wstring(1, static_cast<wchar_t>(0xD800))), "\xEF\xBF\xBD") << "a lone surrogate";
}

}  // namespace
}  // namespace vx
