// The file dialogs: pick a file to open or a file name to save under.
//
// FileName is the path as the file system takes it (bytes in the locale's encoding, UTF-8 here).
// It starts empty, is put into the dialog's name box when the dialog opens, becomes the full path
// of the chosen file when the user confirms and stays as it was when the user cancels. A name
// typed without an extension gets DefaultExt. The dialogs never change the current folder.
#pragma once

#include <QStringList>
#include <functional>
#include <optional>
#include <string>

#include "vcl/component.h"

namespace vcl {

// What a dialog shows when it opens; tests' answers receive it.
struct FileDialogShown {
  bool save = false;
  std::string fileName;  // the name box
  std::string filter;    // CP932, "description|pattern|..."
  std::string defaultExt;
};

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }
  // "description|pattern|description|pattern...", patterns separated by ";" (CP932).
  const std::string& Filter() const { return filter_; }
  void SetFilter(std::string filter) { filter_ = std::move(filter); }
  // Without the dot: "txt".
  const std::string& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(std::string ext) { defaultExt_ = std::move(ext); }

  // Shows the dialog; true when the user confirmed a file, which FileName then holds.
  bool Execute();

  // Tests: the answer the next Execute() of either dialog takes instead of showing one, given
  // what it would show. The answer is what the user typed into the name box (relative names are
  // taken in the current folder, DefaultExt is added as the dialog does); nullopt cancels.
  // Answers are taken in the order queued.
  using Answer = std::function<std::optional<std::string>(const FileDialogShown& shown)>;
  static void QueueAnswer(Answer answer);
  static void ClearAnswers();

 protected:
  explicit TOpenDialog(TComponent* owner, bool save) : TComponent(owner), save_(save) {}

 private:
  std::string fileName_;
  std::string filter_;
  std::string defaultExt_;
  bool save_ = false;
};

// The save dialog. Before it replaces a file that exists it asks; "いいえ" returns to the dialog.
class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner, true) {}

  // Tests: the answer to the next overwrite question instead of asking, given its text (UTF-8);
  // true replaces the file. Answers are taken in the order queued.
  using OverwriteAnswer = std::function<bool(const std::string& question)>;
  static void QueueOverwriteAnswer(OverwriteAnswer answer);
  static void ClearOverwriteAnswers();
};

// The Qt name filters of a filter text: "写真注文データ|*.txt" -> {"写真注文データ (*.txt)"}.
QStringList NameFilters(const std::string& filter);

}  // namespace vcl
