// The printer set-up dialog: chooses the printer, its paper and the orientation for the printer
// object. Confirmed choices become the printer object's current ones for the rest of the run.
#pragma once

#include <functional>
#include <optional>

#include "vcl/component.h"
#include "vcl/printer.h"

namespace vcl {

class TPrinterSetupDialog : public TComponent {
 public:
  explicit TPrinterSetupDialog(TComponent* owner) : TComponent(owner) {}

  // Shows the dialog filled with the printer object's current printer and settings. Fails with
  // "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません" (before showing anything) when there is no printer, and with
  // "印刷中" when a choice is confirmed while a job is in progress. True when confirmed.
  bool Execute();

  // Tests: the answer the next Execute() takes instead of showing the dialog, given the settings
  // it would have shown; nullopt cancels. Answers are taken in the order queued.
  using Answer = std::function<std::optional<PrinterSettings>(const PrinterSettings& shown)>;
  static void QueueAnswer(Answer answer);
  static void ClearAnswers();
};

}  // namespace vcl
