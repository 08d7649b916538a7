// The frame around event handlers: no error raised inside is lost, none reaches Qt.

#include "vcl/event_frame.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "rtl/exception.h"
#include "vcl/application.h"

using testing_support::MainWindowTest;
using testing_support::Shown;

namespace {

using EventFrame = MainWindowTest;

// No error raised in a handler is lost, whether or not an application object gives the box its
// title.
TEST_F(EventFrame, EveryErrorRaisedInAHandlerReachesTheErrorBox) {
  struct Case {
    const char* what;
    std::function<void()> handler;
    std::string text;
  };
  const Case cases[] = {
      {"a runtime error", [] { throw rtl::EFOpenError("a.txt"); }, "ﾌｧｲﾙ a.txt は開けません."},
      {"a standard exception", [] { throw std::length_error("too long"); }, "too long."},
  };
  for (const bool withApplication : {true, false}) {
    std::optional<vcl::TApplication> application;
    if (withApplication) application.emplace().SetTitle("Title");
    for (const Case& c : cases) {
      SCOPED_TRACE(c.what);
      errors.clear();
      vcl::CallHandler(c.handler);
      EXPECT_EQ(errors, (std::vector<Shown>{{withApplication ? "Title" : "", c.text}}));
    }
  }
}

}  // namespace
