// What the assistant remembers: the question count, replies per topic, helpfulness per topic and
// the ordering weights of tweaks (all kept in memory.json), plus this run's conversation and last
// topic. The reply composer changes it; the window and vxctl load and save it (memory_file.h).
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vx {

struct HistoryEntry {
  bool fromUser = false;
  std::wstring text;
  std::vector<std::wstring> tweakIds;  // empty for the user's questions
  std::int64_t time = 0;               // wall clock, 100-ns ticks since 1601 (FILETIME)
  bool operator==(const HistoryEntry&) const = default;
};

// Ordering weight of a tweak: plus - minus.
struct TweakStats {
  std::int32_t plus = 0;
  std::int32_t minus = 0;
  std::int64_t weight() const { return std::int64_t{plus} - minus; }  // 64-bit: never overflows
  bool operator==(const TweakStats&) const = default;
};

struct AssistantMemory {
  // Not saved: this run only.
  std::vector<HistoryEntry> history;  // oldest first
  std::wstring lastTopic;
  // Saved. Maps compare keys code unit by code unit, which is the order of the file.
  std::map<std::wstring, std::int32_t> topicScore;
  std::map<std::wstring, std::int32_t> topicHelpfulness;  // kept as loaded; nothing changes it
  std::map<std::wstring, TweakStats> appliedStats;
  std::int32_t userMessagesTotal = 0;

  // The saved part compared; the conversation of the run is left out.
  bool samePersistedState(const AssistantMemory& other) const;
};

// The conversation keeps at most 200 entries: past that, the oldest 100 go.
constexpr std::size_t kHistoryLimit = 200;
constexpr std::size_t kHistoryDrop = 100;
void appendHistory(AssistantMemory& memory, HistoryEntry entry);

// +1 that stops at the largest 32-bit value instead of overflowing.
void incrementSaturating(std::int32_t& counter);

// The process-wide memory of the window: created on first use, loaded once from memoryPath()
// then, never destroyed. UI thread only.
AssistantMemory& assistantMemory();

}  // namespace vx
