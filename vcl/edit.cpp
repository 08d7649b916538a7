#include "vcl/edit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "vcl/text.h"

namespace vcl {

// The line editor with a one-pixel border drawn over its edges and the text from a pixel inside
// it. Qt's line editor keeps 2 pixels of its own on either side of the text; the text margins
// given take them back, so the text's room runs from the pixel after the left margin to the
// right border.
class TEdit::Box : public QLineEdit {
 public:
  static constexpr int kBorder = 1;
  static constexpr int kMargin = 1;    // between the left border and the text
  static constexpr int kQtMargin = 2;  // QLineEdit's own, on either side of the text

  Box() {
    setFrame(false);
    setTextMargins(kBorder + kMargin - kQtMargin, 0, kBorder - kQtMargin, 0);
  }

  void SetDigits(int digits) {
    digits_ = digits;
    Fit();
  }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(hasFocus() ? QPalette::Highlight : QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  void resizeEvent(QResizeEvent* event) override {
    QLineEdit::resizeEvent(event);
    Fit();
  }
  void changeEvent(QEvent* event) override {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) Fit();
  }

 private:
  // The narrowest the font gets, in percent of its width.
  static constexpr int kNarrowest = 50;

  // The advance of `digits` of the widest digit of `font`.
  static qreal DigitsAdvance(const QFont& font, int digits) {
    const QFontMetricsF metrics(font);
    qreal widest = 0;
    for (char c = '0'; c <= '9'; ++c)
      widest = std::max(widest, metrics.horizontalAdvance(QChar(c)));
    return widest * digits;
  }

  // Narrows the font until the digits fit the text's room, a pixel of it kept for the cursor
  // (the line editor scrolls a text that leaves none).
  void Fit() {
    if (digits_ <= 0) return;
    const int room = width() - 2 * kBorder - kMargin - 1;
    QFont font = this->font();
    const int now = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
    font.setStretch(QFont::Unstretched);
    const qreal full = DigitsAdvance(font, digits_);
    // From just above the estimate down to the first that fits (the advances round).
    int stretch = full <= room ? int{QFont::Unstretched}
                               : std::clamp(static_cast<int>(QFont::Unstretched * room / full) + 1,
                                            kNarrowest, int{QFont::Unstretched});
    for (; stretch > kNarrowest; --stretch) {
      font.setStretch(stretch);
      if (std::ceil(DigitsAdvance(font, digits_)) <= room) break;
    }
    if (stretch == now) return;
    font.setStretch(stretch);
    setFont(font);
  }

  int digits_ = 0;
};

TEdit::TEdit(TForm* owner) : TControl(owner, new Box) {
  QObject::connect(LineEdit(), &QLineEdit::textEdited, [this](const QString& typed) {
    text_ = FromQString(typed);
    // A character without a CP932 form is a "?" in the text: show it as such.
    const QString stored = ToQString(text_);
    if (stored != typed) {
      const int cursor = LineEdit()->cursorPosition();
      LineEdit()->setText(stored);
      LineEdit()->setCursorPosition(cursor);
    }
  });
}

void TEdit::SetText(std::string text) {
  text_ = std::move(text);
  // A line end (a price file's first line keeps its LF) is not drawn; the bytes stay in Text().
  LineEdit()->setText(ToOneLineQString(text_));
  LineEdit()->setCursorPosition(0);
}

void TEdit::SetDigitsInView(int digits) { static_cast<Box*>(LineEdit())->SetDigits(digits); }

}  // namespace vcl
