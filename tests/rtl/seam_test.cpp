#include "rtl/seam.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtl/clock.h"
#include "rtl/process_exit.h"

namespace {

TEST(Seams, AnswersAreTakenInTheOrderQueuedThenTheRealOneRuns) {
  rtl::AnswerQueue<int(int)> answers;
  answers.Push([](int x) { return x + 1; });
  answers.Push([](int x) { return x * 10; });
  std::vector<int> given;
  while (const auto next = answers.TakeNext()) given.push_back(next(5));
  EXPECT_EQ(given, (std::vector<int>{6, 50}));
  EXPECT_FALSE(answers.TakeNext());
}

TEST(Seams, ResetPutsTheRealBehaviourBackEverywhere) {
  rtl::Hook<std::string()> hook;
  rtl::AnswerQueue<void()> answers;
  hook.Set([] { return std::string("stand-in"); });
  answers.Push([] {});
  std::vector<int> exits;
  rtl::SetExitHook([&](int status) { exits.push_back(status); });
  rtl::SetClock([] { return rtl::DateTime{1999, 12, 31, 23, 59, 59}; });
  ASSERT_EQ(hook(), "stand-in");

  rtl::ResetSeams();
  EXPECT_FALSE(hook);
  EXPECT_FALSE(answers.TakeNext());
  EXPECT_GE(rtl::Now().year, 2024) << "the system clock again";
  // The exit hook is gone too: the exit, asked for in a child, really ends it.
  EXPECT_EXIT(rtl::Exit(3), testing::ExitedWithCode(3), "");
  EXPECT_TRUE(exits.empty());
}

}  // namespace
