// The one error type of the core: the file concerned, the system's reason and
// what kind of failure it is, so that a caller decides by the kind and never
// by the words of the reason.
#pragma once

#include <stdexcept>
#include <string>

namespace orbalux {

enum class ErrorKind {
    Unreadable,   // a file that cannot be opened or read
    NotAPicture,  // a file in which not one line record is found by its marker
    Unlistable,   // a folder whose entries cannot be read to their end
    Unwritable,   // an output that cannot be written, or may not be
    BadOption,    // an option value the program does not take
    Unprintable,  // a print job the printer refused or lost
    Failed,       // anything else that ends a command: memory, a picture that cannot be shown
};

class OrbaluxError : public std::runtime_error {
public:
    OrbaluxError(ErrorKind kind, std::string file, std::string reason)
        : std::runtime_error(file.empty() ? reason : file + ": " + reason),
          kind_(kind),
          file_(std::move(file)),
          reason_(std::move(reason)) {}

    ErrorKind kind() const { return kind_; }
    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    ErrorKind kind_;
    std::string file_;
    std::string reason_;
};

}  // namespace orbalux
