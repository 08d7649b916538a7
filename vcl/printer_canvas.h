// The printer's canvas: a font whose size is in points, and texts drawn at points in the device's
// units (its dots). The canvas and its font outlive the jobs they draw on; each job gives the
// canvas its page.
#pragma once

#include <QColor>
#include <QPageLayout>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vcl/fonts.h"

class QIODevice;
class QPagedPaintDevice;
class QPainter;

namespace vcl {

// A font as the canvas knows it: a family, a size in points and the vertical resolution of the
// device that turns points into dots.
class TFont {
 public:
  std::string Name{kMsPGothic};  // UTF-8; mapped to an installed Japanese gothic
  QColor Color = Qt::black;

  int Size() const { return size_; }  // points
  void SetSize(int points) { size_ = points; }
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int dpi) { pixelsPerInch_ = dpi; }
  // The character height in device units: Size × PixelsPerInch / 72, rounded.
  int Height() const;

 private:
  int size_ = 9;
  int pixelsPerInch_ = 96;
};

// What a canvas draws on: one page of one job.
class TCanvasPage {
 public:
  virtual ~TCanvasPage() = default;
  virtual int PixelsPerInchY() const = 0;
  // Draws `text` (CP932) with its top-left corner at (x, y), on an opaque background.
  virtual void TextOut(int x, int y, std::string_view text, const TFont& font) = 0;
  // Ends the page and the document and hands the job over.
  virtual void Finish() = 0;
};

class TPrinterCanvas {
 public:
  TPrinterCanvas() = default;
  TPrinterCanvas(const TPrinterCanvas&) = delete;
  TPrinterCanvas& operator=(const TPrinterCanvas&) = delete;

  TFont* Font() { return &font_; }
  // Draws `text` (CP932) at (x, y) in device units; nothing while no page is attached.
  void TextOut(int x, int y, std::string_view text);

  // Draws on `page` from now on (null: on nothing); the font takes the page's resolution.
  void Attach(TCanvasPage* page);
  TCanvasPage* Page() const { return page_; }

 private:
  TFont font_;
  TCanvasPage* page_ = nullptr;
};

// A page on a Qt paged device (a printer or a PDF writer) that the page owns, drawn through a
// QPainter. Texts whose top-left corner lies past the printable area's right or bottom edge are
// not drawn; the rest is cut at its edges.
class TDevicePage : public TCanvasPage {
 public:
  // Begins painting on `device`; Ok() says whether that worked.
  explicit TDevicePage(std::unique_ptr<QPagedPaintDevice> device);
  ~TDevicePage() override;

  bool Ok() const { return painter_ != nullptr; }
  int PixelsPerInchY() const override;
  void TextOut(int x, int y, std::string_view text, const TFont& font) override;
  void Finish() override;

 private:
  std::unique_ptr<QPagedPaintDevice> device_;
  std::unique_ptr<QPainter> painter_;
};

// A page of a new PDF file `path` at `dpi` dots per inch with `layout` (paper, orientation,
// margins). The document has no title. Null when the file cannot be written.
std::unique_ptr<TDevicePage> OpenPdfPage(const QString& path, int dpi, const QPageLayout& layout);
// The same on `device`, open for writing, which must outlive the page.
std::unique_ptr<TDevicePage> OpenPdfPage(QIODevice* device, int dpi, const QPageLayout& layout);

// The page layout of a PDF: A4 portrait with a printable area 1/4 inch inside each edge, as a
// printer leaves it.
QPageLayout DefaultPdfLayout();

// One text the recording page was asked to draw.
struct DrawnText {
  int x, y;
  std::string text;  // CP932
  int size;          // points
  int height;        // device units
  bool operator==(const DrawnText&) const = default;
};

// A page that records what is drawn on it, for tests and previews.
class TRecordingPage : public TCanvasPage {
 public:
  explicit TRecordingPage(int dpi = 300) : dpi_(dpi) {}
  int PixelsPerInchY() const override { return dpi_; }
  void TextOut(int x, int y, std::string_view text, const TFont& font) override;
  void Finish() override { finished_ = true; }

  const std::vector<DrawnText>& Texts() const { return texts_; }
  bool Finished() const { return finished_; }

 private:
  int dpi_;
  std::vector<DrawnText> texts_;
  bool finished_ = false;
};

// A canvas over a recording page of its own.
class TRecordingCanvas : public TPrinterCanvas {
 public:
  explicit TRecordingCanvas(int dpi = 300) : page_(dpi) { Attach(&page_); }
  const std::vector<DrawnText>& Texts() const { return page_.Texts(); }

 private:
  TRecordingPage page_;
};

}  // namespace vcl
