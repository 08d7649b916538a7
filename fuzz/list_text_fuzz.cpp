// The list editor's text of any bytes: up to the first NUL, each CR LF, lone CR and lone LF made
// CR LF. Compared with a plain model; the result is its own text again.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "order/reference_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string text = order::ListTextFromBytes(bytes);

  std::string model;
  for (size_t i = 0; i < bytes.size() && bytes[i] != '\0'; ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      model += "\r\n";
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      model += bytes[i];
    }
  }
  FUZZ_CHECK(text == model);
  FUZZ_CHECK(order::ListTextFromBytes(text) == text);
  return 0;
}
