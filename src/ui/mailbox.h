// A one-slot mailbox that hands a background read's result from the state refresher's thread to
// the UI thread: the newest result wins, taking it empties the slot. Used by the title tooltip
// and the journal page.
#pragma once
#include <mutex>
#include <optional>
#include <utility>

namespace vx::ui {

template <typename T>
class Mailbox {
 public:
  void put(T value) {
    std::lock_guard lock(mutex_);
    newest_ = std::move(value);
  }
  std::optional<T> take() {
    std::lock_guard lock(mutex_);
    std::optional<T> taken = std::move(newest_);
    newest_.reset();
    return taken;
  }

 private:
  std::mutex mutex_;
  std::optional<T> newest_;
};

}  // namespace vx::ui
