#include <gtest/gtest.h>

#include "rtl/cp932.h"
#include "rtl/exception.h"

namespace {

TEST(Errors, MessagesAreExactAndShareOneBase) {
  const std::pair<rtl::Exception, std::string> cases[] = {
      {rtl::EFOpenError("VELMORA_CBANGO.TXT"), "ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません"},
      {rtl::EFCreateError("a.txt"), "ﾌｧｲﾙ a.txt を作成できません"},
      {rtl::EWriteError(), "ｽﾄﾘｰﾑへの書き込みｴﾗｰ"},
      {rtl::EInvalidOperation(), "文字列の大きさが ﾒﾓ の制限を越えました"},
      {rtl::EInvalidGridOperation(), "ｸﾞﾘｯﾄﾞｲﾝﾃﾞｯｸｽ が範囲を超えています"},
      {rtl::EStringListError(), "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています"},
      {rtl::EPrinter::NoDefaultPrinter(), "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません"},
      {rtl::EPrinter::InvalidPrinter(), "選択したﾌﾟﾘﾝﾀは有効ではありません"},
      {rtl::EPrinter::Printing(), "印刷中"},
  };
  for (const auto& [error, message] : cases) EXPECT_EQ(error.Message, message);
  // The half-width katakana are the single-byte forms, not full-width ones.
  EXPECT_EQ(rtl::Utf8ToCp932(rtl::EWriteError().Message).substr(0, 6), "\xBD\xC4\xD8\xB0\xD1\x82");
  try {
    throw rtl::EFOpenError("x");
  } catch (const rtl::Exception& e) {
    EXPECT_STREQ(e.what(), "ﾌｧｲﾙ x は開けません");
  }
}

TEST(Cp932, DecodesAndEncodesLosslessly) {
  struct Case {
    std::string cp932, utf8;
  };
  const Case cases[] = {
      {"abc", "abc"},
      {"\x93\x63\x92\x86", "田中"},
      {"\xB6\xC5", "ｶﾅ"},
      {"\x81\x5F", "＼"},
      {"\x93", "\xEF\x9E\x93"},                  // a cut double-byte character: U+F793
      {"\x80\xFF", "\xEF\x9E\x80\xEF\x9F\xBF"},  // stray bytes: U+F780, U+F7FF
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rtl::Cp932ToUtf8(c.cp932), c.utf8);
    EXPECT_EQ(rtl::Utf8ToCp932(c.utf8), c.cp932);
  }
}

TEST(Cp932, CharactersWithoutACp932FormBecomeAQuestionMark) {
  EXPECT_EQ(rtl::Utf8ToCp932("a😀b€"), "a?b?");
  EXPECT_EQ(rtl::Utf8ToCp932("x\xFFy"), "x?y") << "broken UTF-8";
}

}  // namespace
