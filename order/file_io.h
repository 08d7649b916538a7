// Whole-file reading and safe whole-file writing, shared by every reader and writer of the order
// book.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace order {

// All bytes of the file, exactly as stored, or its first `limit` bytes when it holds more (a
// device or a pipe may never end); nothing when it cannot be opened or is a directory. A read
// error ends the data: the bytes read before it are returned.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t limit = SIZE_MAX);

// Replaces the file at `path` with `bytes`. A regular file (or a new one) is written as a
// temporary file in the same folder, flushed to disk and renamed over the target, so a failure
// leaves the old file as it was. Where the folder refuses the temporary file (or the rename) but
// the file exists and may be written, the file is written in place: its old bytes are kept in
// memory and written back if the write fails. Throws rtl::EFCreateError (with `path` as given)
// when the file cannot be created, rtl::EWriteError when the bytes, the flush or the close fail.
// The processes ignore SIGXFSZ, so a write over the file-size limit fails like any other.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// Calls f(line, endsWithLf) for each line of a file's bytes as text-mode reading sees them: every
// CR byte dropped, the data ending at the first Ctrl-Z byte; a line ends after a LF (the LF not
// passed on), and a last line without LF counts when it holds a byte.
template <class F>
void ForEachTextModeLine(std::string_view data, F&& f);

// A file read in pieces of a fixed size, so that a large file never sits in memory whole.
class FilePieces {
 public:
  FilePieces() = default;
  FilePieces(const FilePieces&) = delete;
  FilePieces& operator=(const FilePieces&) = delete;
  ~FilePieces();

  // False when the file cannot be opened or is a directory.
  bool Open(const std::string& path);
  // The next piece of the file; empty at its end or after a read error. Valid until the next call.
  std::string_view Next();

 private:
  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
};

// Splits bytes that come a piece at a time into lines as ForEachTextModeLine does.
class TextModeLines {
 public:
  // Calls f(line, true) for each line that `piece` ends. Returns false once a Ctrl-Z has ended the
  // data: feed no more, call Finish.
  template <class F>
  bool Feed(std::string_view piece, F&& f);
  // Calls f(line, false) for a last line without LF that holds a byte.
  template <class F>
  void Finish(F&& f);

 private:
  std::string carry_;  // the start of a line whose LF has not come yet
  std::string scratch_;
};

// ForEachTextModeLine over the rest of an opened file's bytes. A read error ends the data: the
// lines before it have been passed on.
template <class F>
void ForEachTextModeLine(FilePieces& file, F&& f);

}  // namespace order

#include "order/file_io_inl.h"
