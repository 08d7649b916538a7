// A multi-line plain-text editor. Its text is CP932 bytes with CR LF line ends; a line the user
// never edits comes back byte for byte, also when other lines were edited.
#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <string>

#include "vcl/control.h"

namespace vcl {

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TControl {
 public:
  // The most bytes the text may hold.
  static constexpr size_t kMaxLength = 16 * 1024 * 1024;

  explicit TMemo(TForm* owner);
  ~TMemo() override;

  // The whole text: the lines separated by CR LF, with a line end after the last line only when
  // the text ends with one. A line the user has not edited keeps the bytes SetText gave it, its
  // line end included.
  const std::string& Text() const;
  // Replaces the text and shows it; CR LF, a lone CR and a lone LF each end a line on screen.
  // Throws rtl::EInvalidOperation, and keeps the old text, when `text` exceeds kMaxLength bytes.
  void SetText(std::string text);
  void Clear() { SetText({}); }

  // Long lines wrap at the memo's width on screen; the text itself never changes. On by default.
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wrap);

  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle style);

  // The most bytes typing and pasting may bring the text to; 0 (the default) means kMaxLength.
  // SetText is bound by kMaxLength only.
  size_t MaxLength() const { return maxLength_; }
  void SetMaxLength(size_t bytes) { maxLength_ = bytes; }

  QPlainTextEdit* Editor() const { return static_cast<QPlainTextEdit*>(Widget()); }

 private:
  class MemoEdit;
  friend class MemoEdit;

  // Whether the user may replace the selection with `bytes` bytes.
  bool MayInsert(size_t bytes) const;
  void Rebuild() const;

  QMetaObject::Connection edits_;
  mutable std::string text_;
  mutable bool edited_ = false;  // the text on screen changed since text_ was last made
  bool settingText_ = false;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
  size_t maxLength_ = 0;
};

}  // namespace vcl
