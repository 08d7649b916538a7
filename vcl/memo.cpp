#include "vcl/memo.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextBlockUserData>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <utility>

#include "rtl/exception.h"
#include "vcl/event_frame.h"
#include "vcl/text.h"

namespace vcl {

namespace {

bool IsLineBreak(QChar c) {
  return c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Text the user brings into the memo, as the memo will hold it: every line break (CR LF, a lone
// CR or LF, a Unicode line or paragraph separator) one '\n', and every character without a CP932
// form a "?". `bytes` is its size in the memo's text, where a line break is CR LF.
struct Incoming {
  QString shown;
  size_t bytes;
};

Incoming Prepare(const QString& input) {
  QString lines;
  lines.reserve(input.size());
  for (qsizetype i = 0; i < input.size(); ++i) {
    const QChar c = input[i];
    if (c == u'\r' && i + 1 < input.size() && input[i + 1] == u'\n') continue;  // the LF ends it
    lines += IsLineBreak(c) ? QChar(u'\n') : c;
  }
  const std::string encoded = FromQString(lines);
  const auto breaks = static_cast<size_t>(std::count(encoded.begin(), encoded.end(), '\n'));
  return {ToQString(encoded), encoded.size() + breaks};
}

// Appends `bytes` with every LF as CR LF. (0x0A is never part of a CP932 double-byte character,
// nor of a kept stray byte.)
void AppendWithCrLf(std::string& out, std::string_view bytes) {
  size_t pos = 0;
  for (size_t lf; (lf = bytes.find('\n', pos)) != std::string_view::npos; pos = lf + 1) {
    out.append(bytes.substr(pos, lf - pos));
    out += "\r\n";
  }
  out.append(bytes.substr(pos));
}

// The bytes of a run of lines separated by '\n', with CR LF line ends.
void AppendEncoded(std::string& out, QString run) {
  if (std::all_of(run.begin(), run.end(), [](QChar c) { return c.unicode() < 0x80; })) {
    // Plain ASCII (order numbers, most often) needs no converter.
    const QByteArray ascii = run.toLatin1();
    AppendWithCrLf(out, std::string_view(ascii.constData(), static_cast<size_t>(ascii.size())));
    return;
  }
  for (QChar& c : run)
    if (IsLineBreak(c)) c = u'\n';
  AppendWithCrLf(out, FromQString(run));
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A line whose bytes its text on screen would not encode back to (bytes that are not CP932, a
// character with two codes in CP932), or whose line end is not CR LF. As long as the line shows
// `shown`, the memo's text holds `bytes` and `end` for it.
class KeptLine : public QTextBlockUserData {
 public:
  KeptLine(std::string bytes, std::string end, QString shown)
      : bytes(std::move(bytes)), end(std::move(end)), shown(std::move(shown)) {}

  std::string bytes, end;
  QString shown;
};

}  // namespace

// The editor on screen: what the user types, pastes, drops or composes is held to the memo's
// limit and to what CP932 can hold before it reaches the document.
class TMemo::MemoEdit : public QPlainTextEdit {
 public:
  explicit MemoEdit(TMemo* memo) : memo_(memo) {}

 protected:
  // An error on the way (out of memory, for one) goes to the error box, never into Qt.
  void keyPressEvent(QKeyEvent* event) override {
    CallHandler([&] { KeyPress(event); });
  }
  void insertFromMimeData(const QMimeData* source) override {
    CallHandler([&] { InsertFromMimeData(source); });
  }
  void inputMethodEvent(QInputMethodEvent* event) override {
    CallHandler([&] { InputMethod(event); });
  }

 private:
  void KeyPress(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = enter ? QStringLiteral("\n") : event->text();
    if (!enter && !IsTyping(*event)) {
      QPlainTextEdit::keyPressEvent(event);
      return;
    }
    const Incoming incoming = Prepare(text);
    if (!memo_->MayInsert(incoming.bytes)) {
      QApplication::beep();
      event->accept();
      return;
    }
    Qt::KeyboardModifiers modifiers = event->modifiers();
    // Shift+Enter breaks the line as Enter does: the text knows only one line end.
    if (enter) modifiers &= ~Qt::ShiftModifier;
    if (modifiers == event->modifiers() && (enter || incoming.shown == text)) {
      QPlainTextEdit::keyPressEvent(event);
      return;
    }
    QKeyEvent storable(event->type(), event->key(), modifiers, enter ? text : incoming.shown,
                       event->isAutoRepeat(), event->count());
    QPlainTextEdit::keyPressEvent(&storable);
    event->setAccepted(storable.isAccepted());
  }

  void InsertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) return;  // a plain-text editor takes nothing else
    const Incoming incoming = Prepare(source->text());
    if (!memo_->MayInsert(incoming.bytes)) {
      QApplication::beep();
      return;
    }
    QMimeData storable;
    storable.setText(incoming.shown);
    QPlainTextEdit::insertFromMimeData(&storable);
  }

  void InputMethod(QInputMethodEvent* event) {
    if (event->commitString().isEmpty()) {
      QPlainTextEdit::inputMethodEvent(event);
      return;
    }
    const Incoming incoming = Prepare(event->commitString());
    QInputMethodEvent storable(event->preeditString(), event->attributes());
    if (memo_->MayInsert(incoming.bytes))
      storable.setCommitString(incoming.shown, event->replacementStart(),
                               event->replacementLength());
    else
      QApplication::beep();
    QPlainTextEdit::inputMethodEvent(&storable);
    event->setAccepted(storable.isAccepted());
  }

  // Whether the key types text (as the editor decides it, for the keys that matter here).
  static bool IsTyping(const QKeyEvent& event) {
    const QString& text = event.text();
    if (text.isEmpty() || text[0].category() == QChar::Other_Control) return false;
    const Qt::KeyboardModifiers mods = event.modifiers();
    return mods != Qt::ControlModifier && mods != (Qt::ControlModifier | Qt::ShiftModifier);
  }

  TMemo* memo_;
};

TMemo::TMemo(TForm* owner) : TControl(owner, new MemoEdit(this)) {
  QPlainTextEdit* editor = Editor();
  // Tab moves to the next control, as in any dialog; the text holds no tab typed by the user.
  editor->setTabChangesFocus(true);
  // A long name without blanks still breaks at the memo's edge.
  editor->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  SetWordWrap(true);
  SetScrollBars(ssNone);
  edits_ = QObject::connect(editor->document(), &QTextDocument::contentsChange,
                            [this](int, int removed, int added) {
                              if (!settingText_ && (removed > 0 || added > 0)) edited_ = true;
                            });
}

TMemo::~TMemo() { QObject::disconnect(edits_); }

const std::string& TMemo::Text() const {
  if (edited_) Rebuild();
  return text_;
}

void TMemo::SetText(std::string text) {
  if (text.size() > kMaxLength) throw rtl::EInvalidOperation();
  QPlainTextEdit* editor = Editor();
  struct Setting {
    explicit Setting(bool& flag) : flag(flag) { flag = true; }
    ~Setting() { flag = false; }
    bool& flag;
  } setting(settingText_);
  const QString shown = ToQString(text);
  // Qt ends a line at CR LF, at a lone CR and at a lone LF: one block per line of the text.
  editor->setPlainText(shown);
  text_ = std::move(text);
  edited_ = false;

  bool plain = IsAscii(text_) || FromQString(shown) == text_;
  for (size_t i = 0; plain && i < text_.size(); ++i) {
    if (text_[i] == '\r' && (i + 1 == text_.size() || text_[i + 1] != '\n')) plain = false;
    if (text_[i] == '\n' && (i == 0 || text_[i - 1] != '\r')) plain = false;
  }
  if (!plain) {
    // Remember each line that the screen cannot give back as it was.
    size_t pos = 0;
    for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
      size_t end = std::min(text_.find_first_of("\r\n", pos), text_.size());
      std::string bytes = text_.substr(pos, end - pos);
      size_t next = end;
      if (next < text_.size()) next += text_.compare(next, 2, "\r\n") == 0 ? 2 : 1;
      std::string lineEnd = text_.substr(end, next - end);
      pos = next;
      const QString line = block.text();
      if ((!lineEnd.empty() && lineEnd != "\r\n") ||
          (!IsAscii(bytes) && FromQString(line) != bytes))
        block.setUserData(new KeptLine(std::move(bytes), std::move(lineEnd), line));
    }
  }
}

void TMemo::Rebuild() const {
  std::string out;
  out.reserve(text_.size());
  QString run;  // lines since the last kept line, separated by '\n'
  // When a line is broken in two, the first part keeps the line's data; the unedited rest, now
  // the next line, finds it here.
  const KeptLine* unclaimed = nullptr;
  for (QTextBlock block = Editor()->document()->begin(); block.isValid(); block = block.next()) {
    const bool last = !block.next().isValid();
    const QString line = block.text();
    const auto* own = static_cast<const KeptLine*>(block.userData());
    const KeptLine* kept = own && line == own->shown               ? own
                           : unclaimed && line == unclaimed->shown ? unclaimed
                                                                   : nullptr;
    unclaimed = own != kept ? own : nullptr;
    if (kept) {
      AppendEncoded(out, std::exchange(run, {}));
      out += kept->bytes;
      if (!last) out += kept->end.empty() ? "\r\n" : kept->end;
    } else {
      run += line;
      if (!last) run += u'\n';
    }
  }
  AppendEncoded(out, run);
  text_ = std::move(out);
  edited_ = false;
}

bool TMemo::MayInsert(size_t bytes) const {
  const size_t limit = maxLength_ == 0 ? kMaxLength : std::min(maxLength_, kMaxLength);
  const QTextCursor cursor = Editor()->textCursor();
  const size_t replaced = cursor.hasSelection() ? Prepare(cursor.selectedText()).bytes : 0;
  if (bytes <= replaced) return true;
  const size_t growth = bytes - replaced;
  // Every character on screen stands for at most two bytes, and so does every line break: only
  // near the limit is the text measured.
  const auto bound = 2 * static_cast<size_t>(Editor()->document()->characterCount());
  return bound + growth <= limit || Text().size() + growth <= limit;
}

void TMemo::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  Editor()->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  const bool horizontal = style == ssHorizontal || style == ssBoth;
  const bool vertical = style == ssVertical || style == ssBoth;
  Editor()->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                    : Qt::ScrollBarAlwaysOff);
  Editor()->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

}  // namespace vcl
