// Seams for what is modal or outside the program (dialogs, message boxes, the clock, process
// exit): tests put a stand-in in place of the real thing, so that they drive the real windows
// without a person. Every seam enrols itself at its first use, and ResetSeams() puts all of them
// back at once.
#pragma once

#include <deque>
#include <functional>
#include <utility>

namespace rtl {

// Takes every stand-in out: empties every hook and every answer queue.
void ResetSeams();

namespace detail {
// Remembers how to reset the seam at `seam`, until it is withdrawn; ResetSeams() calls `reset`.
void EnrolSeam(const void* seam, std::function<void()> reset);
void WithdrawSeam(const void* seam);
}  // namespace detail

// A function that tests put in place of the real behaviour; empty means the real one runs.
template <typename Signature>
class Hook {
 public:
  Hook() {
    detail::EnrolSeam(this, [this] { function_ = nullptr; });
  }
  ~Hook() { detail::WithdrawSeam(this); }
  Hook(const Hook&) = delete;
  Hook& operator=(const Hook&) = delete;

  // An empty function restores the real behaviour.
  void Set(std::function<Signature> function) { function_ = std::move(function); }
  explicit operator bool() const { return static_cast<bool>(function_); }
  template <typename... Args>
  decltype(auto) operator()(Args&&... args) const {
    return function_(std::forward<Args>(args)...);
  }

 private:
  std::function<Signature> function_;
};

// Answers that tests queue for the next times the program would ask a person, taken in the order
// queued; with none queued the real dialog asks.
template <typename Signature>
class AnswerQueue {
 public:
  using Answer = std::function<Signature>;

  AnswerQueue() {
    detail::EnrolSeam(this, [this] { answers_.clear(); });
  }
  ~AnswerQueue() { detail::WithdrawSeam(this); }
  AnswerQueue(const AnswerQueue&) = delete;
  AnswerQueue& operator=(const AnswerQueue&) = delete;

  void Push(Answer answer) { answers_.push_back(std::move(answer)); }
  void Clear() { answers_.clear(); }
  // The next answer, taken off the queue; an empty function when none is queued.
  Answer TakeNext() {
    if (answers_.empty()) return nullptr;
    Answer next = std::move(answers_.front());
    answers_.pop_front();
    return next;
  }

 private:
  std::deque<Answer> answers_;
};

}  // namespace rtl
