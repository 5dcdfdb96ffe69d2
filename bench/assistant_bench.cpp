// Cost of an assistant reply on the UI thread: a keyword answer next to one bare tweak state read,
// the advice answer (which reads every catalogue state) next to the same number of bare reads, and
// the advice through a warm state cache next to the advice from direct queries. Natively the
// reads hit the simulated machine, under Wine the real registry and service manager.
#include <cstdio>
#include <random>
#include <string>

#include "assistant/assistant_memory.h"
#include "assistant/reply_composer.h"
#include "assistant/state_source.h"
#include "bench_compare.h"
#include "catalog/build_catalog.h"
#include "core/catalog.h"
#include "core/state_cache.h"
#include "hw/hardware_profile.h"
#ifndef _WIN32
#include "platform/sim/machine.h"
#endif

namespace {

using vx::bench::compare;
using vx::bench::keep;

// Replies from one memory and engine, as in a long chat; the history stays within its 200 entries.
struct Chat {
  vx::AssistantMemory memory;
  std::mt19937 random;
  std::size_t ask(const std::wstring& question, const vx::HardwareProfile& hardware, const vx::TweakCatalog& catalog,
                  const vx::StateSource& states) {
    const vx::ReplyContext context{hardware, catalog, states, random};
    return vx::composeReply(question, memory, context).text.size();
  }
};

}  // namespace

// The Windows build links with -municode, which wants the wide entry point.
#ifdef _WIN32
int wmain() {
  std::printf("assistant_bench: Windows build (real registry and services)\n");
#else
int main() {
  std::printf("assistant_bench: native build (simulated machine)\n");
  vx::sim::machine().reset();
#endif
  std::printf("median of %d rounds of ~%.0f ms each\n\n", vx::bench::kRounds, vx::bench::kRoundSeconds * 1000);

  const vx::TweakCatalog catalog = vx::buildCatalog();
  const vx::HardwareProfile hardware = vx::detectHardware();
  const vx::StateSource direct = vx::directStates();
  Chat chat;

  const vx::TweakPtr oneTweak = vx::findById(catalog, L"perf.hags");
  compare("composeReply(\"как снизить input lag\")",
          [&] { keep(chat.ask(L"как снизить input lag", hardware, catalog, direct)); }, "one bare queryState (perf.hags)",
          [&] { keep(static_cast<std::size_t>(oneTweak->queryState())); });

  const std::string adviceName = "composeReply(advice, " + std::to_string(catalog.size()) + " tweaks, direct)";
  const std::string bareName = "bare queryState of the " + std::to_string(catalog.size()) + " tweaks";
  compare(adviceName.c_str(), [&] { keep(chat.ask(L"что улучшить?", hardware, catalog, direct)); }, bareName.c_str(),
          [&] {
            for (const auto& tweak : catalog) keep(static_cast<std::size_t>(tweak->queryState()));
          });

  // A frozen clock keeps every entry young: the cache stays warm for the whole measurement.
  vx::TweakStateCache cache{[] { return std::int64_t{0}; }};
  const vx::StateSource cached = vx::cachedStates(cache);
  Chat warm;
  warm.ask(L"что улучшить?", hardware, catalog, cached);
  compare("composeReply(advice, warm state cache)", [&] { keep(warm.ask(L"что улучшить?", hardware, catalog, cached)); },
          "composeReply(advice, direct queries)", [&] { keep(chat.ask(L"что улучшить?", hardware, catalog, direct)); });
  return 0;
}
