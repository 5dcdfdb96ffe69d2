#include "cli/elevation_gate.h"

#include <algorithm>

#include "cli/cli_command.h"
#include "platform/privileges.h"

namespace vx::cli {

namespace {

// A verb that changes the system unless one of its arguments is `readingWord` (empty: always),
// or only when one is `changingWord` (empty: no such word).
struct ChangingVerb {
  const wchar_t* verb;
  const wchar_t* readingWord;
  const wchar_t* changingWord;
};

constexpr ChangingVerb kChangingVerbs[] = {
    {L"apply", L"", L""},
    {L"revert", L"", L""},
    {L"category", L"", L""},
    {L"profile", L"--dry-run", L""},
    {L"clean", L"", L""},
    {L"boost", L"", L""},
    {L"restore", L"", L""},
    {L"import", L"--dry-run", L""},
    {L"drift", L"", L"--apply"},
    {L"selftest", L"", L"--restore-point"},
};

bool hasWord(const std::vector<std::wstring>& args, const wchar_t* word) {
  return std::find(args.begin(), args.end(), std::wstring(word)) != args.end();
}

}  // namespace

bool changesSystem(const std::wstring& verb, const std::vector<std::wstring>& args) {
  for (const ChangingVerb& v : kChangingVerbs) {
    if (verb != v.verb) continue;
    if (*v.changingWord) return hasWord(args, v.changingWord);
    return !(*v.readingWord && hasWord(args, v.readingWord));
  }
  return false;
}

VerbRun requireElevation(const std::wstring& verb, VerbRun run) {
  return [verb, run = std::move(run)](const std::vector<std::wstring>& args) {
    if (changesSystem(verb, args) && !processIsElevated()) {
      printError(kNeedsElevationText);
      return kExitUsage;
    }
    return run(args);
  };
}

}  // namespace vx::cli
