// A conversation with the assistant for the reply tests: its own memory, hardware profile,
// catalogue of fake tweaks, a default-seeded random engine (whose first draw picks the opening
// "Понял. ") and a fixed wall clock.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "assistant/assistant_memory.h"
#include "assistant/reply_composer.h"
#include "assistant/state_source.h"
#include "hw/hardware_profile.h"
#include "support/fake_tweak.h"

namespace vx::test {

// What std::mt19937's default seed makes the first question's opening.
inline constexpr const wchar_t* kFirstOpening = L"Понял. ";

class AssistantConversation : public ::testing::Test {
 protected:
  AssistantReply ask(const std::wstring& question) { return askWith(question, directStates()); }
  AssistantReply askWith(const std::wstring& question, StateSource states) {
    const ReplyContext context{hardware, catalog, std::move(states), random, [this] { return clock; }};
    return composeReply(question, memory, context);
  }

  AssistantMemory memory;
  HardwareProfile hardware;
  TweakCatalog catalog;
  std::mt19937 random;  // default seed
  std::int64_t clock = 133'000'000'000'000'000;
};

}  // namespace vx::test
