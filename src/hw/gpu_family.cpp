#include "hw/gpu_family.h"

#include <initializer_list>

#include "base/text.h"

namespace vx {

namespace {

// Plain substring tests on the lower-cased name.
constexpr std::wstring_view kModernGpuMarks[] = {
    L"rtx",  L"gtx 10", L"gtx 16", L"gtx 20",     L"gtx 30", L"gtx 40",  L"rx 5",
    L"rx 6", L"rx 7",   L"rx 8",   L"radeon vii", L"arc a",  L"iris xe", L"intel arc",
};

enum class Match {
  Substring,        // the text occurs anywhere
  ThreeDigitModel,  // the text, ending in a digit, starts a model number of exactly three digits
};

struct FamilyRow {
  std::wstring_view text;
  Match match;
  const wchar_t* family;
};

// Tried top to bottom; the first hit wins. Both "RX 580" and "RX 5700 XT" contain "rx 5", and
// "RX 5700" contains "rx 570": Polaris cards carry three-digit numbers (RX 550..590, with X or
// suffixes such as "2048SP"), RDNA cards four-digit ones (RX 5300..5700 XT, mobile "M" parts).
constexpr FamilyRow kAmdFamilies[] = {
    {L"rx 7", Match::Substring, L"RDNA3"},
    {L"rx 6", Match::Substring, L"RDNA2"},
    {L"rx 5", Match::ThreeDigitModel, L"Polaris"},
    {L"rx 5", Match::Substring, L"RDNA"},
    {L"vega", Match::Substring, L"Vega"},
    {L"rx 480", Match::Substring, L"Polaris"},
    {L"rx 470", Match::Substring, L"Polaris"},
    {L"r9 ", Match::Substring, L"GCN"},
    {L"r7 ", Match::Substring, L"GCN"},
};

constexpr FamilyRow kNvidiaFamilies[] = {
    {L"rtx 40", Match::Substring, L"Ada"},
    {L"rtx 30", Match::Substring, L"Ampere"},
    {L"rtx 20", Match::Substring, L"Turing"},
    {L"gtx 16", Match::Substring, L"Turing"},  // before "gtx 10": GTX 1660 is Turing
    {L"gtx 10", Match::Substring, L"Pascal"},
    {L"gtx 9", Match::Substring, L"Maxwell"},
};

bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool rowMatches(std::wstring_view lower, const FamilyRow& row) {
  if (row.match == Match::Substring) return lower.find(row.text) != std::wstring_view::npos;
  for (std::size_t at = lower.find(row.text); at != std::wstring_view::npos; at = lower.find(row.text, at + 1)) {
    // The model number starts at the row text's last character (the "5" of "rx 5").
    std::size_t end = at + row.text.size();
    while (end < lower.size() && isAsciiDigit(lower[end])) ++end;
    if (end - (at + row.text.size() - 1) == 3) return true;
  }
  return false;
}

template <std::size_t N>
std::wstring firstFamily(std::wstring_view lower, const FamilyRow (&table)[N]) {
  for (const FamilyRow& row : table)
    if (rowMatches(lower, row)) return row.family;
  return {};
}

bool containsAny(std::wstring_view lower, std::initializer_list<std::wstring_view> texts) {
  for (std::wstring_view text : texts)
    if (lower.find(text) != std::wstring_view::npos) return true;
  return false;
}

}  // namespace

bool isModernGpu(std::wstring_view gpuName) {
  if (gpuName.empty()) return false;
  const std::wstring lower = toLowerFolded(gpuName);
  for (std::wstring_view mark : kModernGpuMarks)
    if (lower.find(mark) != std::wstring::npos) return true;
  return false;
}

std::wstring amdGpuFamily(std::wstring_view gpuName) {
  const std::wstring lower = toLowerFolded(gpuName);
  if (!containsAny(lower, {L"radeon", L"amd"})) return {};
  return firstFamily(lower, kAmdFamilies);
}

std::wstring nvidiaGpuFamily(std::wstring_view gpuName) {
  const std::wstring lower = toLowerFolded(gpuName);
  if (!containsAny(lower, {L"nvidia", L"geforce"})) return {};
  return firstFamily(lower, kNvidiaFamilies);
}

}  // namespace vx
