// Inside the stand-in: the message queues, what the window system's input
// puts in them and what a destroyed window leaves there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/user32.h"

namespace platform {

// A first-in first-out queue of fixed capacity, allocated once, so that
// steady traffic costs no allocation.
class MessageQueue {
 public:
  explicit MessageQueue(size_t capacity) : capacity_(capacity) {}

  bool push(const MSG& message) {
    if (slots_.empty()) slots_.resize(capacity_);
    if (count_ == capacity_) return false;
    slots_[(head_ + count_) % capacity_] = message;
    ++count_;
    return true;
  }

  // Copies the first message that the filter lets through, and removes it
  // when asked to.
  bool take(MSG* out, HWND window, UINT first, UINT last, bool remove) {
    for (size_t i = 0; i < count_; ++i) {
      if (!passes(at(i), window, first, last)) continue;
      *out = at(i);
      if (remove) removeAt(i);
      return true;
    }
    return false;
  }

  void removeWindow(HWND window) {
    for (size_t i = count_; i-- > 0;) {
      if (at(i).hwnd == window) removeAt(i);
    }
  }

 private:
  // No window: every message; (HWND)-1: thread messages only. A range of 0, 0
  // lets every message through.
  static bool passes(const MSG& message, HWND window, UINT first, UINT last) {
    const bool threadOnly = window == reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
    if (threadOnly ? message.hwnd != nullptr : window && message.hwnd != window) return false;
    return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
  }

  MSG& at(size_t i) { return slots_[(head_ + i) % capacity_]; }

  void removeAt(size_t i) {
    if (i == 0) {
      head_ = (head_ + 1) % capacity_;
    } else {
      for (size_t j = i; j + 1 < count_; ++j) at(j) = at(j + 1);
    }
    --count_;
  }

  const size_t capacity_;
  std::vector<MSG> slots_;
  size_t head_ = 0;
  size_t count_ = 0;
};

// The messages that PostMessageA queued, which PeekMessageA hands out before
// the window system's input.
extern MessageQueue postedQueue;

// Adds a message translated from the window system's input; false when the
// queue is full and the input is lost.
bool queueInput(const MSG& message);
// Drops the waiting messages of a window that is being destroyed.
void forgetMessagesFor(HWND window);

}  // namespace platform
