#include "rtl/date_time.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatDateTime, PatternsAndQuotedLiterals) {
  const rtl::DateTime when{2024, 3, 7, 9, 5, 4};
  const std::pair<const char*, const char*> cases[] = {
      {"'作成日'yyyy'年'mm'月'dd'日'", "作成日2024年03月07日"},
      {"yyyy/mm/dd", "2024/03/07"},
      {"yy/m/d", "24/3/7"},
      {"YYYY-MM-DD", "2024-03-07"},
      {"hh:nn:ss", "09:05:04"},
      {"h:n:s", "9:5:4"},
      {"\"mm\"'dd'", "mmdd"},              // both quote marks copy their text
      {"'yyyy", "yyyy"},                   // an unterminated quote runs to the end
      {"''yyyy", "2024"},                  // an empty literal
      {"日付 yyyymmdd", "日付 20240307"},  // UTF-8 text outside quotes is copied as it is
  };
  for (const auto& [pattern, text] : cases)
    EXPECT_EQ(rtl::FormatDateTime(pattern, when), text) << pattern;
  EXPECT_EQ(rtl::FormatDateTime("yyyy", {987, 1, 1}), "0987");
}

}  // namespace
