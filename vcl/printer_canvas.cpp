#include "vcl/printer_canvas.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "vcl/text.h"

namespace vcl {

int TFont::Height() const {
  // Rounded half away from zero, as a multiply-then-divide of the system does.
  const long long product = static_cast<long long>(size_) * pixelsPerInch_;
  return static_cast<int>(product >= 0 ? (product + 36) / 72 : (product - 36) / 72);
}

void TPrinterCanvas::TextOut(int x, int y, std::string_view text) {
  if (page_) page_->TextOut(x, y, text, font_);
}

void TPrinterCanvas::Attach(TCanvasPage* page) {
  page_ = page;
  if (page_) font_.SetPixelsPerInch(page_->PixelsPerInchY());
}

TDevicePage::TDevicePage(std::unique_ptr<QPagedPaintDevice> device)
    : device_(std::move(device)), painter_(std::make_unique<QPainter>()) {
  if (!painter_->begin(device_.get())) painter_.reset();
}

TDevicePage::~TDevicePage() { Finish(); }

int TDevicePage::PixelsPerInchY() const { return device_->logicalDpiY(); }

void TDevicePage::TextOut(int x, int y, std::string_view text, const TFont& font) {
  if (!painter_) return;
  // The painter's origin is the top-left corner of the printable area, its units the device's dots.
  const QRect printable(0, 0, device_->width(), device_->height());
  if (x >= printable.width() || y >= printable.height()) return;

  QFont qfont(QString::fromUtf8(font.Name.data(), static_cast<qsizetype>(font.Name.size())));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPixelSize(std::max(1, font.Height()));
  painter_->setFont(qfont);
  painter_->setPen(font.Color);
  painter_->setBackgroundMode(Qt::OpaqueMode);
  painter_->setBackground(Qt::white);
  painter_->setClipRect(printable);
  const QFontMetricsF metrics(qfont, device_.get());
  painter_->drawText(QPointF(x, y + metrics.ascent()), ToQString(text));
}

void TDevicePage::Finish() {
  if (painter_) painter_->end();
  painter_.reset();
}

namespace {
std::unique_ptr<TDevicePage> OpenPdfWriter(std::unique_ptr<QPdfWriter> writer, int dpi,
                                           const QPageLayout& layout) {
  writer->setResolution(dpi);
  writer->setPageLayout(layout);
  writer->setCreator(QString());
  auto page = std::make_unique<TDevicePage>(std::move(writer));
  if (!page->Ok()) return nullptr;
  return page;
}
}  // namespace

std::unique_ptr<TDevicePage> OpenPdfPage(const QString& path, int dpi, const QPageLayout& layout) {
  return OpenPdfWriter(std::make_unique<QPdfWriter>(path), dpi, layout);
}

std::unique_ptr<TDevicePage> OpenPdfPage(QIODevice* device, int dpi, const QPageLayout& layout) {
  return OpenPdfWriter(std::make_unique<QPdfWriter>(device), dpi, layout);
}

QPageLayout DefaultPdfLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(18, 18, 18, 18),
                     QPageLayout::Point);
}

void TRecordingPage::TextOut(int x, int y, std::string_view text, const TFont& font) {
  texts_.push_back({x, y, std::string(text), font.Size(), font.Height()});
}

}  // namespace vcl
