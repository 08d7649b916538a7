// The test seams of the dialogs and boxes.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "rtl/seam.h"
#include "vcl/file_dialog.h"
#include "vcl/input_box.h"
#include "vcl/printer.h"
#include "vcl/printer_setup_dialog.h"

using testing_support::MainWindowTest;
using testing_support::WriteBytes;

namespace {

using Seams = MainWindowTest;

// An answer a test queued but the program never asked for is gone after the reset, in every
// queue: the next question takes the answer queued after it.
TEST_F(Seams, ResetTakesOutTheAnswersLeftInEveryQueue) {
  std::vector<std::string> taken;
  WriteBytes("taken.txt", "");
  vcl::Printer()->SetSystem(std::make_unique<vcl::RecordingPrinter>());
  vcl::TOpenDialog open(nullptr);
  vcl::TSaveDialog save(nullptr);
  vcl::TPrinterSetupDialog setup(nullptr);
  struct Queue {
    const char* name;
    std::function<void(const std::string& marker)> queue;  // an answer that records `marker`
    std::function<void()> ask;
  };
  const Queue queues[] = {
      {"input box",
       [&](const std::string& marker) {
         vcl::QueueInputBoxAnswer([&taken, marker](const vcl::InputBoxShown&) {
           taken.push_back(marker);
           return std::nullopt;
         });
       },
       [] { vcl::InputBox("", "", ""); }},
      {"file dialogs",
       [&](const std::string& marker) {
         vcl::TOpenDialog::QueueAnswer([&taken, marker](const vcl::FileDialogShown&) {
           taken.push_back(marker);
           return std::nullopt;
         });
       },
       [&] { open.Execute(); }},
      {"overwrite question",
       [&](const std::string& marker) {
         vcl::TSaveDialog::QueueOverwriteAnswer([&taken, marker](const std::string&) {
           taken.push_back(marker);
           return false;
         });
       },
       [&] {
         QueueFileName("taken.txt");
         QueueFileName(std::nullopt);
         save.Execute();
       }},
      {"printer set-up",
       [&](const std::string& marker) {
         vcl::TPrinterSetupDialog::QueueAnswer(
             [&taken, marker](const vcl::PrinterSettings&) -> std::optional<vcl::PrinterSettings> {
               taken.push_back(marker);
               return std::nullopt;
             });
       },
       [&] { setup.Execute(); }},
  };
  for (const Queue& q : queues) q.queue("left over");
  rtl::ResetSeams();
  for (const Queue& q : queues) {
    q.queue(q.name);
    q.ask();
  }
  EXPECT_EQ(taken, (std::vector<std::string>{"input box", "file dialogs", "overwrite question",
                                             "printer set-up"}));
  vcl::DestroyPrinter();
}

}  // namespace
