// Whole-file reading and safe whole-file writing, shared by every reader and writer of the order
// book.
#pragma once

#include <cstddef>
#include <cstdint>
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

}  // namespace order

#include "order/file_io_inl.h"
