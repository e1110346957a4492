#pragma once
// The program's one error type. It carries the text the user reads in the default error box,
// so whoever throws it words it for the user ("Cannot create file ...", "Stream write error").

#include <string>
#include <utility>

namespace platform {

class Error {
public:
    explicit Error(std::wstring text) : text_(std::move(text)) {}
    const std::wstring& Text() const { return text_; }

private:
    std::wstring text_;
};

}  // namespace platform
