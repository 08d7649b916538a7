#include "vcl/help_engine.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "rtl/seam.h"
#include "vcl/text.h"

#ifndef VELMORA_DATA_DIR
#define VELMORA_DATA_DIR ""
#endif

namespace vcl {

namespace {

constexpr const char* kEngineCaption = "ヘルプ";

rtl::Hook<void(const std::string&, const std::string&)>& Presenter() {
  static rtl::Hook<void(const std::string&, const std::string&)> presenter;
  return presenter;
}

QPointer<QWidget>& Viewer() {
  static QPointer<QWidget> viewer;
  return viewer;
}

void Tell(QWidget* owner, const QString& text) {
  if (Presenter()) return Presenter()(kEngineCaption, text.toStdString());
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kEngineCaption), text, QMessageBox::Ok,
                  owner);
  box.exec();
}

// The viewer: one window of its own, reused for every file.
class ViewerWindow : public QWidget {
 public:
  ViewerWindow() {
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(560, 480);
  }

  void ShowFile(const QString& path, const QString& html) {
    browser_->setSearchPaths({QFileInfo(path).absolutePath()});
    browser_->setHtml(html);
    const QString title = browser_->documentTitle();
    setWindowTitle(title.isEmpty() ? QFileInfo(path).fileName() : title);
    show();
    raise();
    activateWindow();
  }

 private:
  QTextBrowser* browser_;
};

bool ShowContents(QWidget* owner, const QString& fileName) {
  const QString path = LocateHelpFile(fileName);
  if (path.isEmpty()) {
    Tell(owner, QString::fromUtf8("ヘルプ ファイル %1 が見つかりません。").arg(fileName));
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    Tell(owner, QString::fromUtf8("ヘルプ ファイル %1 を開けません。").arg(path));
    return false;
  }
  const QString html = QString::fromUtf8(file.readAll());
  if (!Viewer()) Viewer() = new ViewerWindow;
  static_cast<ViewerWindow*>(Viewer().data())->ShowFile(path, html);
  return true;
}

QString& DataFolder() {
  static QString folder = QString::fromUtf8(VELMORA_DATA_DIR);
  return folder;
}

// The folders a bare help file name is looked up in, in order.
std::vector<QString> HelpSearchPath() {
  std::vector<QString> dirs = {QDir::currentPath(), QCoreApplication::applicationDirPath()};
  if (!DataFolder().isEmpty()) dirs.push_back(DataFolder());
  return dirs;
}

}  // namespace

QString HelpDataFolder() { return DataFolder(); }
void SetHelpDataFolder(const QString& folder) { DataFolder() = folder; }

QString LocateHelpFile(const QString& fileName) {
  if (fileName.isEmpty()) return {};
  const QFileInfo given(fileName);
  if (fileName.contains('/')) return given.isFile() ? given.absoluteFilePath() : QString();
  for (const QString& dir : HelpSearchPath()) {
    const QFileInfo candidate(QDir(dir), fileName);
    if (candidate.isFile()) return candidate.absoluteFilePath();
  }
  return {};
}

QWidget* HelpViewer() { return Viewer(); }

void DestroyHelpViewer() { delete Viewer().data(); }

bool WinHelp(QWidget* owner, const std::string& fileName, unsigned command, unsigned long) {
  switch (command) {
    case HELP_CONTENTS:
      return ShowContents(owner, ToQString(fileName));
    case HELP_QUIT:
      if (Viewer()) Viewer()->close();
      return true;
    default:
      return false;
  }
}

void SetHelpMessagePresenter(HelpMessagePresenter presenter) {
  Presenter().Set(std::move(presenter));
}

}  // namespace vcl
