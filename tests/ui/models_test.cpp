// Qt's model tester watches the item models behind the grid and the list boxes while the main
// window goes through its commands: every change it sees must keep the models' contract.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QListView>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "order/order_file.h"

using testing_support::MainWindowTest;
using testing_support::WriteBytes;

namespace {

// The model tester's complaints, gathered while the object lives.
class ModelComplaints {
 public:
  ModelComplaints() : previous_(qInstallMessageHandler(Record)) {}
  ~ModelComplaints() { qInstallMessageHandler(previous_); }
  ModelComplaints(const ModelComplaints&) = delete;
  ModelComplaints& operator=(const ModelComplaints&) = delete;

  static std::vector<std::string>& Messages() {
    static std::vector<std::string> messages;
    return messages;
  }

 private:
  static void Record(QtMsgType, const QMessageLogContext& context, const QString& message) {
    if (context.category && QByteArray(context.category).startsWith("qt.modeltest"))
      Messages().push_back(message.toStdString());
  }

  QtMessageHandler previous_;
};

using Models = MainWindowTest;

TEST_F(Models, KeepTheirContractThroughLoadsEditsTalliesAndRowCountChanges) {
  WriteReferenceFiles();
  WriteBytes("two.txt", "Kiwi\t12\t15\t\r\nMango\t20\t\r\n");
  Start();
  ModelComplaints complaints;
  ModelComplaints::Messages().clear();
  std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
  for (QAbstractItemModel* model :
       {Form1->StringGrid1->View()->model(), Form1->ListBox1->View()->model(),
        Form1->ListBox2->View()->model()})
    testers.push_back(std::make_unique<QAbstractItemModelTester>(
        model, QAbstractItemModelTester::FailureReportingMode::Warning));

  QueueFileName("two.txt");
  Form1->K2->Click();
  ClickPicker(2);
  QTest::mouseClick(Form1->Button1->Button(), Qt::LeftButton);
  Sheet().SetCell(3, 2, "x");
  Sheet().SetRowCount(40);
  Sheet().SetRowCount(2);
  Sheet().SetRowCount(1);
  order::ReadOrderFile(Sheet(), "two.txt");
  Form1->K7->Click();
  Form1->K9->Click();
  Form1->ListBox2->Clear();
  Form1->ListBox1->SetItems({"1", "2"});
  Form1->ListBox1->Add("3");
  Form1->ListBox1->SetItemIndex(2);
  Form1->ListBox1->Clear();

  EXPECT_EQ(ModelComplaints::Messages(), std::vector<std::string>{});
  EXPECT_EQ(Sheet().Cell(0, 2), "Mango") << "the commands ran";
  EXPECT_EQ(Form1->ListBox2->Count(), 0);
}

}  // namespace
