#include "rtl/file_names.h"

#include <filesystem>
#include <system_error>

namespace rtl {

namespace fs = std::filesystem;

bool FileExists(const std::string& path) {
  std::error_code ec;
  const auto status = fs::status(path, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

std::string ExpandFileName(const std::string& path) {
  return fs::absolute(path).lexically_normal().string();
}

}  // namespace rtl
