// The application object: creates the forms (the first becomes the main form), runs the event
// loop until the main form closes, and shows errors in the error box under its title.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "rtl/exception.h"
#include "vcl/form.h"

namespace vcl {

// The title for a program file: its name without folder and without everything from its first
// dot on, the first letter in upper case and every letter after it in lower case
// ("/usr/bin/velmora" -> "Velmora").
QString TitleFromFileName(const QString& path);

class TApplication {
 public:
  // Needs a QApplication. Becomes the global `Application` while it lives.
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // Sets the title from the program file and maps the Windows fonts to installed ones. The
  // process ignores SIGXFSZ from then on: a write over the file-size limit fails as an error.
  void Initialize();

  // Builds a form of class T, stores it in `reference`, runs its FormCreate inside the error frame
  // and shows it when it is to be visible at creation. The first form created is the main form.
  template <class T>
  void CreateForm(T*& reference) {
    auto form = std::make_unique<T>();
    reference = form.get();
    Adopt(std::move(form));
  }

  // Runs the event loop until the main form is closed.
  void Run();
  // Ends the event loop.
  void Terminate();

  TForm* MainForm() const { return mainForm_; }

  const std::string& Title() const { return title_; }  // CP932
  void SetTitle(std::string title) { title_ = std::move(title); }

  const std::string& HelpFile() const { return helpFile_; }  // CP932
  void SetHelpFile(std::string fileName) { helpFile_ = std::move(fileName); }
  // Asks the help engine for `command` on HelpFile(), for the main form. False when it failed.
  bool HelpCommand(unsigned command, unsigned long data);

  // The error box for `error`: its message followed by ".", captioned with the title.
  void ShowException(const rtl::Exception& error);

 private:
  void Adopt(std::unique_ptr<TForm> form);

  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  std::string title_;
  std::string helpFile_;
};

// The application object of the running program, null when there is none.
extern TApplication* Application;

}  // namespace vcl
