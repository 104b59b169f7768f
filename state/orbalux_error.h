// The one error type of the core: the file concerned and the system's reason.
#pragma once

#include <stdexcept>
#include <string>

namespace orbalux {

class OrbaluxError : public std::runtime_error {
public:
    OrbaluxError(std::string file, std::string reason)
        : std::runtime_error(file.empty() ? reason : file + ": " + reason),
          file_(std::move(file)),
          reason_(std::move(reason)) {}

    const std::string& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::string file_;
    std::string reason_;
};

}  // namespace orbalux
