#include "assistant/opening_phrases.h"

#include <memory>

namespace vx {

namespace {

using namespace std::string_view_literals;
constexpr std::wstring_view kOpenings[] = {L""sv, L"Хм, "sv, L"Понял. "sv, L"Так, посмотрим. "sv, L"Окей. "sv};

}  // namespace

std::wstring_view drawOpening(std::mt19937& random) { return kOpenings[random() % std::size(kOpenings)]; }

std::mt19937& assistantRandom() {
  static std::mt19937& engine = *std::make_unique<std::mt19937>(std::random_device{}()).release();
  return engine;
}

}  // namespace vx
