#include "rtl/exception.h"

namespace rtl {

namespace {
// Replaces the first "%s" of a message pattern with `arg`.
std::string FormatOne(std::string pattern, const std::string& arg) {
  const auto at = pattern.find("%s");
  if (at != std::string::npos) pattern.replace(at, 2, arg);
  return pattern;
}
}  // namespace

EFOpenError::EFOpenError(const std::string& fileName)
    : Exception(FormatOne("ﾌｧｲﾙ %s は開けません", fileName)) {}

EFCreateError::EFCreateError(const std::string& fileName)
    : Exception(FormatOne("ﾌｧｲﾙ %s を作成できません", fileName)) {}

EWriteError::EWriteError() : Exception("ｽﾄﾘｰﾑへの書き込みｴﾗｰ") {}

EInvalidOperation::EInvalidOperation() : Exception("文字列の大きさが ﾒﾓ の制限を越えました") {}

EInvalidGridOperation::EInvalidGridOperation() : Exception("ｸﾞﾘｯﾄﾞｲﾝﾃﾞｯｸｽ が範囲を超えています") {}

EStringListError::EStringListError() : Exception("ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています") {}

EPrinter EPrinter::NoDefaultPrinter() { return EPrinter("ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません"); }
EPrinter EPrinter::InvalidPrinter() { return EPrinter("選択したﾌﾟﾘﾝﾀは有効ではありません"); }
EPrinter EPrinter::Printing() { return EPrinter("印刷中"); }

}  // namespace rtl
