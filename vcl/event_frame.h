// The frame around every event handler and every form's start-up: an error raised inside is
// caught here and shown in the error box, and the program goes on. No exception leaves a handler
// into Qt.
#pragma once

#include <functional>

namespace vcl {

// Runs `handler`; an error it raises, a runtime error or any other standard exception, goes to
// TApplication::ShowException, or to an error box without a caption when there is no application
// object.
void CallHandler(const std::function<void()>& handler);

}  // namespace vcl
