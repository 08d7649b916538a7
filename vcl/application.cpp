#include "vcl/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <csignal>

#include "rtl/cp932.h"
#include "vcl/error_box.h"
#include "vcl/event_frame.h"
#include "vcl/fonts.h"
#include "vcl/help_engine.h"
#include "vcl/printer.h"
#include "vcl/text.h"

namespace vcl {

TApplication* Application = nullptr;

QString TitleFromFileName(const QString& path) {
  QString name = QFileInfo(path).fileName();
  const qsizetype dot = name.indexOf('.');
  if (dot >= 0) name.truncate(dot);
  if (!name.isEmpty()) name = name.left(1).toUpper() + name.mid(1).toLower();
  return name;
}

TApplication::TApplication() { Application = this; }

TApplication::~TApplication() {
  // Newest form first, as they were created.
  while (!forms_.empty()) forms_.pop_back();
  DestroyHelpViewer();
  DestroyPrinter();
  if (Application == this) Application = nullptr;
}

void TApplication::Initialize() {
  // A write over the file-size limit is then an error the writer reports and cleans up after,
  // not the end of the program with the sheet unsaved.
  std::signal(SIGXFSZ, SIG_IGN);
  InstallFontSubstitutions();
  // The interface is Japanese whatever the system's language: the texts Qt draws itself (the file
  // dialogs' buttons and labels, the context menus of edit fields) are too, and so are the sizes,
  // dates and file types it formats.
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  static QTranslator qtTexts;
  if (qtTexts.isEmpty() && qtTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(&qtTexts);
  title_ = FromQString(TitleFromFileName(QCoreApplication::applicationFilePath()));
}

void TApplication::Adopt(std::unique_ptr<TForm> form) {
  TForm* f = form.get();
  forms_.push_back(std::move(form));
  CallHandler([f] { f->FormCreate(); });
  if (f->VisibleAtCreation()) f->Show();
  if (!mainForm_) {
    mainForm_ = f;
    f->OnClose = [this] { Terminate(); };
  }
}

void TApplication::Run() {
  if (!mainForm_) return;
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::exec();
}

void TApplication::Terminate() { QCoreApplication::quit(); }

bool TApplication::HelpCommand(unsigned command, unsigned long data) {
  return WinHelp(mainForm_ ? mainForm_->Window() : nullptr, helpFile_, command, data);
}

void TApplication::ShowException(const rtl::Exception& error) {
  ShowErrorBox(rtl::Cp932ToUtf8(title_), error.Message + ".");
}

}  // namespace vcl
