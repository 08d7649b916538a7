#include "vcl/input_box.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QVBoxLayout>
#include <limits>

#include "rtl/seam.h"
#include "vcl/text.h"

namespace vcl {

namespace {

rtl::AnswerQueue<std::optional<std::string>(const InputBoxShown&)>& Answers() {
  static rtl::AnswerQueue<std::optional<std::string>(const InputBoxShown&)> answers;
  return answers;
}

// A one-line field over CP932 bytes. The bytes it was given stay as they are until the user edits
// the text; an edit that would make the text longer than `maxBytes` keeps only the whole
// characters of what was typed or pasted that still fit.
class Cp932Field : public QLineEdit {
 public:
  Cp932Field(std::string text, size_t maxBytes, QWidget* parent)
      : QLineEdit(parent),
        bytes_(std::move(text)),
        maxBytes_(maxBytes),
        shown_(ToOneLineQString(bytes_)) {
    // The byte limit is ours; Qt's own limit of characters must not cut a longer given text.
    setMaxLength(std::numeric_limits<int>::max());
    setText(shown_);
    selectAll();
    connect(this, &QLineEdit::textEdited, this, [this](const QString& typed) { Edited(typed); });
  }

  const std::string& Bytes() const { return bytes_; }

 private:
  void Edited(const QString& typed) {
    // The edit replaced the middle of the old text: find the unchanged head and tail.
    const QString& before = shown_;
    qsizetype head = 0;
    while (head < before.size() && head < typed.size() && before[head] == typed[head]) ++head;
    if (head > 0 && typed[head - 1].isHighSurrogate()) --head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < typed.size() - head &&
           before[before.size() - 1 - tail] == typed[typed.size() - 1 - tail])
      ++tail;
    if (tail > 0 && typed[typed.size() - tail].isLowSurrogate()) --tail;

    const std::string headBytes = FromQString(typed.left(head));
    const std::string tailBytes = FromQString(typed.right(tail));
    const QString inserted = typed.mid(head, typed.size() - head - tail);
    const size_t kept = headBytes.size() + tailBytes.size();
    const size_t room = kept < maxBytes_ ? maxBytes_ - kept : 0;
    std::string insertedBytes;
    for (qsizetype at = 0; at < inserted.size();) {
      const qsizetype length = inserted[at].isHighSurrogate() && at + 1 < inserted.size() ? 2 : 1;
      const std::string one = FromQString(inserted.mid(at, length));
      if (insertedBytes.size() + one.size() > room) break;
      insertedBytes += one;
      at += length;
    }

    bytes_ = headBytes + insertedBytes + tailBytes;
    // Show what the text now holds: what did not fit is gone, and a character without a CP932
    // form is the "?" it became.
    shown_ = ToOneLineQString(bytes_);
    if (shown_ != typed) {
      const qsizetype cursor = ToOneLineQString(headBytes + insertedBytes).size();
      setText(shown_);
      setCursorPosition(static_cast<int>(cursor));
    }
  }

  std::string bytes_;
  size_t maxBytes_;
  QString shown_;  // the field's text as it stood after the last edit
};

// A dialog that stands in the middle of its screen, its frame included, when it is shown.
class ScreenCentredDialog : public QDialog {
 public:
  using QDialog::QDialog;

 protected:
  void showEvent(QShowEvent* event) override {
    QDialog::showEvent(event);
    // Sent before the window reaches the screen, but with its frame known. A window restored by
    // the window system stays where the user put it.
    if (event->spontaneous()) return;
    if (const QScreen* screen = this->screen()) {
      const QRect frame(QPoint(), frameGeometry().size());
      move(screen->geometry().center() - frame.center());
    }
  }
};

// The box itself. Nothing when it is cancelled or closed.
std::optional<std::string> ShowDialog(const InputBoxShown& shown) {
  ScreenCentredDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(ToQString(shown.caption));

  auto* prompt = new QLabel(ToQString(shown.prompt), &dialog);
  prompt->setTextFormat(Qt::PlainText);
  auto* field = new Cp932Field(shown.text, kInputBoxMaxBytes, &dialog);
  field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 36);
  auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QString::fromUtf8("ｷｬﾝｾﾙ"), &dialog);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(prompt);
  layout->addWidget(field);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  field->setFocus();

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return field->Bytes();
}

}  // namespace

std::string InputBox(const std::string& caption, const std::string& prompt,
                     const std::string& defaultText) {
  const InputBoxShown shown{caption, prompt, defaultText};
  const InputBoxAnswer next = Answers().TakeNext();
  const std::optional<std::string> answer = next ? next(shown) : ShowDialog(shown);
  return answer ? *answer : defaultText;
}

void QueueInputBoxAnswer(InputBoxAnswer answer) { Answers().Push(std::move(answer)); }

void ClearInputBoxAnswers() { Answers().Clear(); }

}  // namespace vcl
