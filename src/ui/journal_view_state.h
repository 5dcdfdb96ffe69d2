// What the window keeps of the change journal: the lines of the newest read (made on the state
// refresher's thread), whether the journal page is open, and how the window reads the journal.
// UiState holds one; ui/journal_page.h acts on it (the page, its restores, Home's drift line).
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "core/change_journal.h"
#include "ui/mailbox.h"

namespace vx::ui {

struct JournalRead {
  std::uint64_t ticket = 0;
  std::vector<JournalLine> lines;
};

struct JournalView {
  bool open = false;    // the journal page shows in place of the sidebar's page (not an entry of it)
  bool loaded = false;  // a read has arrived since the window started
  std::vector<JournalLine> lines;  // oldest first
  std::uint64_t ticket = 0;        // of the newest read asked for; older ones are dropped
  std::shared_ptr<Mailbox<JournalRead>> mailbox = std::make_shared<Mailbox<JournalRead>>();
  // Reads the journal (on the refresher's thread); tests bring their own.
  std::function<std::vector<JournalLine>()> read = [] { return readJournal(); };
};

}  // namespace vx::ui
