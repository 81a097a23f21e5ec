#pragma once

#include <string>

// The outcome of writing or reading a file: success, or the reason it failed, in
// words fit to show the user ("Cannot write /tmp/x.xml: Permission denied").
struct CFileResult {
    bool ok = true;
    std::string error;

    static CFileResult Success() { return {}; }
    static CFileResult Failure(std::string reason) { return {false, std::move(reason)}; }
    explicit operator bool() const { return ok; }
};
