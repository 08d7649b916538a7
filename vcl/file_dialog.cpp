#include "vcl/file_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTreeView>
#include <algorithm>
#include <filesystem>

#include "rtl/file_names.h"
#include "rtl/seam.h"
#include "vcl/form.h"
#include "vcl/text.h"

namespace vcl {

namespace {

rtl::AnswerQueue<std::optional<std::string>(const FileDialogShown&)>& Answers() {
  static rtl::AnswerQueue<std::optional<std::string>(const FileDialogShown&)> answers;
  return answers;
}

rtl::AnswerQueue<bool(const std::string&)>& OverwriteAnswers() {
  static rtl::AnswerQueue<bool(const std::string&)> answers;
  return answers;
}

QString FromPath(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The full path of a name typed in the dialog's folder, with the default extension added when the
// name has none, as the dialog itself completes it.
std::string FullPath(const std::string& typed, const std::string& defaultExt) {
  std::filesystem::path path = rtl::ExpandFileName(typed);
  if (!defaultExt.empty() && !path.filename().empty() && !path.has_extension())
    path += "." + defaultExt;
  return path.string();
}

// The file list's sizes and dates in the program's locale (QLocale()): Qt's file system model
// formats them in the system's, English on most machines.
class LocaleFormats : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    QVariant value = QIdentityProxyModel::data(index, role);
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files || value.toString().isEmpty()) return value;
    const QModelIndex source = mapToSource(index);
    if (index.column() == kSize) return QLocale().formattedDataSize(files->size(source));
    if (index.column() == kDate)
      return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
    return value;
  }

 private:
  static constexpr int kSize = 1, kDate = 3;  // the file system model's columns
};

// The dialog at a size where the file list's columns read whole, centred over the window it
// belongs to when it opens.
class FileDialog : public QFileDialog {
 public:
  explicit FileDialog(QWidget* parent) : QFileDialog(parent) {
    setOption(QFileDialog::DontUseNativeDialog);
    setProxyModel(new LocaleFormats(this));
    const QFontMetrics metrics(font());
    resize(metrics.averageCharWidth() * 110, metrics.height() * 30);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    QFileDialog::showEvent(event);
    if (event->spontaneous()) return;  // restored by the window system: where the user put it
    if (auto* list = findChild<QTreeView*>()) {
      // Size, type and date as wide as what they show; the name takes the rest.
      QHeaderView* header = list->header();
      header->setStretchLastSection(false);
      header->setSectionResizeMode(0, QHeaderView::Stretch);
      for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = over ? over->screen() : this->screen();
    QRect frame(QPoint(), frameGeometry().size());
    frame.moveCenter(over ? over->frameGeometry().center() : screen->availableGeometry().center());
    if (screen) {
      const QRect room = screen->availableGeometry();
      if (!room.contains(QRect(room.topLeft(), frame.size()))) {
        resize(size().boundedTo(room.size() - (frame.size() - size())));
        frame.setSize(frameGeometry().size());
        frame.moveCenter(over ? over->frameGeometry().center() : room.center());
      }
      frame.moveLeft(std::max(room.left(), std::min(frame.left(), room.right() - frame.width())));
      frame.moveTop(std::max(room.top(), std::min(frame.top(), room.bottom() - frame.height())));
    }
    move(frame.topLeft());
  }
};

// The platform's file dialog over `parent`; the name as the user confirmed it, nothing on cancel.
std::optional<std::string> RunDialog(const FileDialogShown& shown, QWidget* parent) {
  FileDialog dialog(parent ? parent : QApplication::activeWindow());
  dialog.setAcceptMode(shown.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // The open dialog takes the name of a file that does not exist too; the load then reports it.
  dialog.setFileMode(QFileDialog::AnyFile);
  // The save dialog's own question would come before the program's; the program asks instead.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters(NameFilters(shown.filter));
  dialog.setDefaultSuffix(QString::fromStdString(shown.defaultExt));
  dialog.setDirectory(QDir::currentPath());
  if (!shown.fileName.empty()) dialog.selectFile(FromPath(shown.fileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return ToPath(dialog.selectedFiles().first());
}

std::optional<std::string> NextName(const FileDialogShown& shown, QWidget* parent) {
  if (const TOpenDialog::Answer answer = Answers().TakeNext()) return answer(shown);
  return RunDialog(shown, parent);
}

// Asks whether the file at `path` may be replaced.
bool MayReplace(const std::string& path) {
  const QString question =
      QString::fromUtf8("%1 は既に存在します。\n上書きしますか?").arg(FromPath(path));
  if (const TSaveDialog::OverwriteAnswer answer = OverwriteAnswers().TakeNext())
    return answer(question.toStdString());
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8("名前を付けて保存の確認"), question,
                  QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
  box.button(QMessageBox::Yes)->setText(QString::fromUtf8("はい(&Y)"));
  box.button(QMessageBox::No)->setText(QString::fromUtf8("いいえ(&N)"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

bool TOpenDialog::Execute() {
  // Whatever the dialog does with the current folder, the program's stays where it was: the
  // reference files are named relative to it.
  const QString folder = QDir::currentPath();
  // The window of the form that owns the dialog.
  const auto* form = dynamic_cast<const TForm*>(Owner());
  QWidget* parent = form ? form->Window() : nullptr;
  std::string shownName = fileName_;
  for (;;) {
    const std::optional<std::string> typed =
        NextName({save_, shownName, filter_, defaultExt_}, parent);
    QDir::setCurrent(folder);
    if (!typed || typed->empty()) return false;
    std::string path = FullPath(*typed, defaultExt_);
    if (save_ && rtl::FileExists(path) && !MayReplace(path)) {
      shownName = std::move(path);  // back to the dialog, with the name the user chose
      continue;
    }
    fileName_ = std::move(path);
    return true;
  }
}

void TOpenDialog::QueueAnswer(Answer answer) { Answers().Push(std::move(answer)); }

void TOpenDialog::ClearAnswers() { Answers().Clear(); }

void TSaveDialog::QueueOverwriteAnswer(OverwriteAnswer answer) {
  OverwriteAnswers().Push(std::move(answer));
}

void TSaveDialog::ClearOverwriteAnswers() { OverwriteAnswers().Clear(); }

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QString("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

}  // namespace vcl
