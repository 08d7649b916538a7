// The real main window, created as the program creates it, in a fresh current folder, with the
// error box, the help engine's message box, the clock and the process exit recorded instead of
// shown or done.
#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rtl/date_time.h"
#include "support/temp_dir.h"
#include "ui/form1.h"
#include "vcl/application.h"

namespace testing_support {

struct Shown {
  std::string caption, text;  // UTF-8
  bool operator==(const Shown&) const = default;
};
void PrintTo(const Shown& shown, std::ostream* os);

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest();
  ~MainWindowTest() override;

  // Creates Form1 (FormCreate runs and the window shows), as the program does.
  void Start();
  // The three reference files of the demo: price 80, names Kiwi, Mango, 田中, numbers 12, 15, 20.
  void WriteReferenceFiles();

  order::Sheet& Sheet() { return Form1->StringGrid1->Sheet(); }
  // What the next file dialog (open or save) takes as typed into its name box; nullopt cancels.
  static void QueueFileName(std::optional<std::string> typed);
  // A mouse click on picker entry `index`.
  void ClickPicker(int index);
  // The lines of a list box, as UTF-8.
  static std::vector<std::string> Utf8Lines(const vcl::TListBox& box);

  TempDir dir;
  rtl::DateTime today{2024, 3, 7, 9, 30, 0};
  std::vector<Shown> errors;
  std::vector<std::string> helpMessages;
  std::vector<int> exits;
  std::unique_ptr<vcl::TApplication> app;
};

}  // namespace testing_support
