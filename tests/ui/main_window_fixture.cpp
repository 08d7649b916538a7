#include "main_window_fixture.h"

#include <QListView>
#include <QTest>
#include <ostream>

#include "rtl/clock.h"
#include "rtl/cp932.h"
#include "rtl/process_exit.h"
#include "rtl/seam.h"
#include "vcl/error_box.h"
#include "vcl/file_dialog.h"
#include "vcl/help_engine.h"

namespace testing_support {

void PrintTo(const Shown& shown, std::ostream* os) {
  *os << "[" << shown.caption << "] " << shown.text;
}

MainWindowTest::MainWindowTest() {
  vcl::SetErrorBoxPresenter([this](const std::string& caption, const std::string& text) {
    errors.push_back({caption, text});
  });
  vcl::SetHelpMessagePresenter(
      [this](const std::string&, const std::string& text) { helpMessages.push_back(text); });
  rtl::SetClock([this] { return today; });
  rtl::SetExitHook([this](int status) { exits.push_back(status); });
}

MainWindowTest::~MainWindowTest() {
  app.reset();
  Form1 = nullptr;
  // Answers a test queued but the window never asked for must not reach the next test.
  rtl::ResetSeams();
}

void MainWindowTest::Start() {
  app = std::make_unique<vcl::TApplication>();
  app->Initialize();
  app->CreateForm(Form1);
}

void MainWindowTest::WriteReferenceFiles() {
  WriteBytes("nedan.txt", "80\r\n");
  WriteBytes("VELMORA_SIMEI.TXT", Sjis("Kiwi\r\nMango\r\n田中\r\n"));
  WriteBytes("VELMORA_CBANGO.TXT", "12\r\n15\r\n20\r\n");
}

void MainWindowTest::QueueFileName(std::optional<std::string> typed) {
  vcl::TOpenDialog::QueueAnswer([typed](const vcl::FileDialogShown&) { return typed; });
}

void MainWindowTest::ClickPicker(int index) {
  QListView* view = Form1->ListBox1->View();
  const QRect rect = view->visualRect(view->model()->index(index, 0));
  ASSERT_TRUE(rect.isValid()) << "entry " << index << " not laid out";
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

std::vector<std::string> MainWindowTest::Utf8Lines(const vcl::TListBox& box) {
  std::vector<std::string> lines;
  for (const std::string& line : box.Items()) lines.push_back(rtl::Cp932ToUtf8(line));
  return lines;
}

}  // namespace testing_support
