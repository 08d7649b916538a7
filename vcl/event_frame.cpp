#include "vcl/event_frame.h"

#include "rtl/exception.h"
#include "vcl/application.h"
#include "vcl/error_box.h"

namespace vcl {

namespace {
// Without an application object (a component used on its own) the box has no title to show.
void Show(const rtl::Exception& error) {
  if (Application)
    Application->ShowException(error);
  else
    ShowErrorBox("", error.Message + ".");
}
}  // namespace

void CallHandler(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const rtl::Exception& error) {
    Show(error);
  } catch (const std::exception& error) {
    // Not one of the runtime's errors (out of memory, for one): shown the same way, so that
    // nothing is lost silently and no exception reaches Qt.
    Show(rtl::Exception(error.what()));
  }
}

}  // namespace vcl
