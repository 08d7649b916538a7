// The error box: a modal message box with the stop icon and one OK button. Tests replace its
// presenter to record what would be shown.
#pragma once

#include <functional>
#include <string>

namespace vcl {

// Shows `text` under `caption` (both UTF-8) and returns when the user closes the box.
using ErrorBoxPresenter = std::function<void(const std::string& caption, const std::string& text)>;

void ShowErrorBox(const std::string& caption, const std::string& text);

// Replaces the presenter; an empty function restores the real message box.
void SetErrorBoxPresenter(ErrorBoxPresenter presenter);

}  // namespace vcl
