// The runtime's error classes. Every error the program shows to the user is one of these; the
// frame around event handlers catches `Exception` and shows `Message` in the error box.
// Messages are UTF-8 text.
#pragma once

#include <exception>
#include <string>

namespace rtl {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : Message(std::move(message)) {}
  const char* what() const noexcept override { return Message.c_str(); }

  std::string Message;
};

// A file could not be opened for reading.
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(const std::string& fileName);
};

// A file could not be created for writing.
class EFCreateError : public Exception {
 public:
  explicit EFCreateError(const std::string& fileName);
};

// Fewer bytes reached a file than were given, or its flush or close failed.
class EWriteError : public Exception {
 public:
  EWriteError();
};

// A memo was given more text than it can hold.
class EInvalidOperation : public Exception {
 public:
  EInvalidOperation();
};

// A move of a grid's current cell outside the grid.
class EInvalidGridOperation : public Exception {
 public:
  EInvalidGridOperation();
};

// An index outside a list's entries (no entry selected, for one).
class EStringListError : public Exception {
 public:
  EStringListError();
};

// The three printer errors.
class EPrinter : public Exception {
 public:
  using Exception::Exception;
  static EPrinter NoDefaultPrinter();
  static EPrinter InvalidPrinter();
  static EPrinter Printing();
};

}  // namespace rtl
