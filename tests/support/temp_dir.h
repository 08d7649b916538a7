// A fresh temporary folder for one test, made the current folder while the object lives, and
// small helpers for files of bytes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

void WriteBytes(const std::string& path, std::string_view bytes);
std::string ReadBytes(const std::string& path);

// UTF-8 source text as CP932 bytes.
std::string Sjis(std::string_view utf8);

}  // namespace testing_support
