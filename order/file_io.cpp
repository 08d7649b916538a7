#include "order/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "rtl/exception.h"

namespace order {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  struct stat st {};
  if (fstat(fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(file);
    return std::nullopt;
  }
  std::string data;
  if (S_ISREG(st.st_mode)) data.reserve(std::min(static_cast<size_t>(st.st_size), limit));
  char buffer[1 << 16];
  size_t n;
  while (data.size() < limit &&
         (n = std::fread(buffer, 1, std::min(sizeof buffer, limit - data.size()), file)) > 0)
    data.append(buffer, n);
  std::fclose(file);
  return data;
}

FilePieces::~FilePieces() {
  if (fd_ >= 0) ::close(fd_);
}

bool FilePieces::Open(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st {};
  if (fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    return false;
  }
  return true;
}

std::string_view FilePieces::Next() {
  constexpr size_t kPiece = 256 << 10;
  if (fd_ < 0) return {};
  if (!buffer_) buffer_.reset(new char[kPiece]);
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.get(), kPiece);
    if (n < 0 && errno == EINTR) continue;
    if (n > 0) return std::string_view(buffer_.get(), static_cast<size_t>(n));
    ::close(fd_);  // the end, or a read error, which ends the data too
    fd_ = -1;
    return {};
  }
}

namespace {

// Writes all bytes to `fd` and closes it; false on any failure (the descriptor is closed anyway).
bool WriteAndClose(int fd, std::string_view bytes, bool sync) {
  bool ok = true;
  while (ok && !bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) ok = false;
    else bytes.remove_prefix(static_cast<size_t>(n));
  }
  if (ok && sync && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  return ok;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::error_code ec;
  fs::path target = path;
  const auto status = fs::status(target, ec);
  if (fs::is_directory(status)) throw rtl::EFCreateError(path);
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    // A device or a pipe: there is nothing to replace, write to it directly.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) throw rtl::EFCreateError(path);
    if (!WriteAndClose(fd, bytes, false)) throw rtl::EWriteError();
    return;
  }
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    // Replace the file the link points to, not the link.
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }

  // A file that may not be written is not replaced either.
  if (fs::exists(status) && ::access(target.c_str(), W_OK) != 0) throw rtl::EFCreateError(path);

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) throw rtl::EFCreateError(path);
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  ::fchmod(fd, mode);
  if (!WriteAndClose(fd, bytes, true)) {
    ::unlink(temp.c_str());
    throw rtl::EWriteError();
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    ::unlink(temp.c_str());
    throw rtl::EFCreateError(path);
  }
}

}  // namespace order
