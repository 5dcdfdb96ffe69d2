#include "assistant/assistant_memory.h"

#include <limits>
#include <memory>

#include "assistant/memory_file.h"

namespace vx {

bool AssistantMemory::samePersistedState(const AssistantMemory& other) const {
  return topicScore == other.topicScore && topicHelpfulness == other.topicHelpfulness &&
         appliedStats == other.appliedStats && userMessagesTotal == other.userMessagesTotal;
}

void appendHistory(AssistantMemory& memory, HistoryEntry entry) {
  memory.history.push_back(std::move(entry));
  if (memory.history.size() > kHistoryLimit)
    memory.history.erase(memory.history.begin(), memory.history.begin() + kHistoryDrop);
}

void incrementSaturating(std::int32_t& counter) {
  if (counter < std::numeric_limits<std::int32_t>::max()) ++counter;
}

AssistantMemory& assistantMemory() {
  // Released on purpose and never destroyed: nothing running while the process ends can find it gone.
  static AssistantMemory& memory = [] () -> AssistantMemory& {
    AssistantMemory& loaded = *std::make_unique<AssistantMemory>().release();
    loadMemory(loaded, memoryPath());
    return loaded;
  }();
  return memory;
}

}  // namespace vx
