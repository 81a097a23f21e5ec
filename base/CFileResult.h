#pragma once

#include <string>

// The outcome of writing or reading a file: success, or the reason it failed, in
// words fit to show the user ("Cannot write /tmp/x.xml: Permission denied").
struct CFileResult {
    bool ok = true;
    std::string error;
    // The file layer's reason alone ("No such file or directory"), where it gave one.
    std::string reason;

    static CFileResult Success() { return {}; }
    static CFileResult Failure(std::string text, std::string why = {}) {
        return {false, std::move(text), std::move(why)};
    }
    explicit operator bool() const { return ok; }
};
