// The modal input box: a caption, a prompt above a one-line field, "OK" and "ｷｬﾝｾﾙ".
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace vcl {

// The most bytes (CP932, a double-byte character counts two) the user can type into the field.
inline constexpr size_t kInputBoxMaxBytes = 255;

// Shows the box centred on the screen, the field holding `defaultText` all selected, and waits
// until it is closed. Gives the field's text after "OK", `defaultText` unchanged after "ｷｬﾝｾﾙ",
// Esc or closing the window. All texts are CP932 bytes; the field gives back the bytes it was
// given as long as the user does not edit them.
std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultText);

// What the next InputBox would have shown (CP932).
struct InputBoxShown {
  std::string caption, prompt, text;
};

// Tests: the answer the next InputBox takes instead of showing the box, given what it would have
// shown: the text as if typed and confirmed with "OK", or nullopt for "ｷｬﾝｾﾙ". Answers are taken
// in the order queued.
using InputBoxAnswer = std::function<std::optional<std::string>(const InputBoxShown& shown)>;
void QueueInputBoxAnswer(InputBoxAnswer answer);
void ClearInputBoxAnswers();

}  // namespace vcl
