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
  FilePieces file;
  if (!file.Open(path)) return std::nullopt;
  std::string data;
  for (std::string_view piece = file.Next(); !piece.empty() && data.size() < limit;
       piece = file.Next())
    data.append(piece.substr(0, limit - data.size()));
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

// Writes all bytes to `fd` from its current offset on; false on any failure. `written` counts the
// bytes that reached the file.
bool WriteAll(int fd, std::string_view bytes, size_t& written) {
  written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += static_cast<size_t>(n);
  }
  return true;
}

// Writes all bytes to `fd` and closes it; false on any failure (the descriptor is closed anyway).
bool WriteAndClose(int fd, std::string_view bytes, bool sync) {
  size_t written = 0;
  bool ok = WriteAll(fd, bytes, written);
  if (ok && sync && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  return ok;
}

// All bytes of the regular file open as `fd`; false when they cannot all be read.
bool ReadAll(int fd, std::string& data) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  data.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::pread(fd, data.data() + done, data.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Whether a failure to create or rename a file in a folder means the folder does not let this
// user in, rather than that the disk or the file system is at fault.
bool FolderRefused(int error) { return error == EACCES || error == EPERM; }

// Writes `bytes` over the existing file `target` itself, for a folder that takes no new file.
// The old bytes are kept in memory first; when the write fails, they are written back where they
// were overwritten and the file gets its old length again, so the error loses nothing.
void WriteInPlace(const std::string& path, const fs::path& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) throw rtl::EFCreateError(path);
  std::string old;
  if (!ReadAll(fd, old)) {
    // Without the old bytes a failed write could not be undone: leave the file alone.
    ::close(fd);
    throw rtl::EFCreateError(path);
  }
  size_t written = 0;  // ReadAll leaves the offset at the start
  bool ok = WriteAll(fd, bytes, written);
  size_t overwritten = written;  // how many of the old bytes may have changed
  if (ok) {
    overwritten = old.size();  // the old bytes past the new end go with the truncation
    ok = ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  }
  if (!ok) {
    size_t restored = 0;
    const std::string_view changed = std::string_view(old).substr(0, overwritten);
    if (::lseek(fd, 0, SEEK_SET) == 0 && WriteAll(fd, changed, restored) &&
        ::ftruncate(fd, static_cast<off_t>(old.size())) == 0)
      ::fsync(fd);
  }
  if (::close(fd) != 0) ok = false;
  if (!ok) throw rtl::EWriteError();
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
  const bool exists = fs::is_regular_file(status);
  if (exists && ::access(target.c_str(), W_OK) != 0) throw rtl::EFCreateError(path);

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string name = ".";
  name.append(target.filename().string()).append(".XXXXXX");
  std::string temp = (folder / name).string();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    if (exists && FolderRefused(errno)) return WriteInPlace(path, target, bytes);
    throw rtl::EFCreateError(path);
  }
  struct stat old {};
  const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  ::fchmod(fd, mode);
  if (!WriteAndClose(fd, bytes, true)) {
    ::unlink(temp.c_str());
    throw rtl::EWriteError();
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    // A folder that lets new files in but not over this one (a sticky folder, for one).
    if (exists && FolderRefused(error)) return WriteInPlace(path, target, bytes);
    throw rtl::EFCreateError(path);
  }
}

}  // namespace order
