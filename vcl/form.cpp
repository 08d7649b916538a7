#include "vcl/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QUrl>
#include <algorithm>

#include "vcl/control.h"
#include "vcl/event_frame.h"
#include "vcl/menu.h"
#include "vcl/text.h"

namespace vcl {

namespace {

// The local files a drag carries, as paths the file system takes.
std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (!data) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  return paths;
}

// Takes a drag of files as a copy: the file manager must never take it for a move and remove them.
void AcceptFiles(QDropEvent* event) {
  if (event->possibleActions() & Qt::CopyAction) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->acceptProposedAction();
  }
}

}  // namespace

class TForm::FormWindow : public QMainWindow {
 public:
  explicit FormWindow(TForm* form) : form_(form) { setAcceptDrops(true); }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (form_->OnClose) form_->OnClose();
  }

  void dragEnterEvent(QDragEnterEvent* event) override { AcceptOrRefuse(event); }
  void dragMoveEvent(QDragMoveEvent* event) override { AcceptOrRefuse(event); }
  void dropEvent(QDropEvent* event) override {
    std::vector<std::string> paths = LocalFiles(event->mimeData());
    if (!form_->OnDropFiles || paths.empty()) {
      event->ignore();
      return;
    }
    AcceptFiles(event);
    // The file manager waits until the drop returns: an error box shown from inside it would
    // hold the file manager too. The files are taken once the drop is over.
    QMetaObject::invokeMethod(
        this,
        [this, paths = std::move(paths)] {
          if (form_->OnDropFiles) CallHandler([&] { form_->OnDropFiles(paths); });
        },
        Qt::QueuedConnection);
  }

 private:
  void AcceptOrRefuse(QDragMoveEvent* event) {
    if (form_->OnDropFiles && !LocalFiles(event->mimeData()).empty())
      AcceptFiles(event);
    else
      event->ignore();
  }

  TForm* form_;
};

TForm::TForm() : TComponent(nullptr), window_(std::make_unique<FormWindow>(this)) {
  client_ = new QWidget(window_.get());
  window_->setCentralWidget(client_);
}

TForm::~TForm() {
  // The components go first: they hold widgets and actions of this window.
  DestroyComponents();
  window_.reset();
}

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  window_->setWindowTitle(ToQString(caption_));
}

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  ApplyGeometry();
}

int TForm::ClientWidth() const { return width_ - 2 * kBorder; }
int TForm::ClientHeight() const {
  return height_ - 2 * kBorder - kCaptionBar - (menu_ ? kMenuBar : 0);
}

void TForm::ApplyGeometry() {
  // The window system draws its own frame around the window; the client area keeps the size it
  // had inside the frame the sizes were given for, so controls keep their places.
  const int menuHeight = menu_ ? window_->menuBar()->sizeHint().height() : 0;
  window_->move(left_, top_);
  window_->resize(std::max(ClientWidth(), 1), std::max(menuHeight + ClientHeight(), 1));
}

void TForm::SetFont(const QFont& font) {
  window_->setFont(font);
  ApplyGeometry();
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  menu->BuildInto(window_->menuBar());
  ApplyGeometry();
}

bool TForm::Visible() const { return window_->isVisible(); }

void TForm::Show() {
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void TForm::Hide() { window_->hide(); }

void TForm::Close() { window_->close(); }

void TForm::AddShortcut(const std::string& keys, FieldCommand fieldCommand,
                        std::function<void()> onPress) {
  auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(keys)), window_.get());
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(
      shortcut, &QShortcut::activated, window_.get(),
      [this, fieldCommand, onPress = std::move(onPress)] {
        auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        if (fieldCommand != FieldCommand::kNone && field && window_->isAncestorOf(field)) {
          if (fieldCommand == FieldCommand::kUndo)
            field->undo();
          else
            field->redo();
        } else if (onPress) {
          CallHandler(onPress);
        }
      });
}

void TForm::SetTabOrder(std::initializer_list<TControl*> controls) {
  tabOrder_.assign(controls);
  const TControl* previous = nullptr;
  for (TControl* control : controls) {
    if (previous) QWidget::setTabOrder(previous->Widget(), control->Widget());
    previous = control;
  }
}

}  // namespace vcl
