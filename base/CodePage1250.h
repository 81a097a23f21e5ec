#pragma once

#include <string>
#include <string_view>

// Conversion between the UTF-8 the program holds its texts in and the Windows-1250
// bytes that the document file and the XML exports store.
namespace CodePage1250 {

// Every byte has a character; the five bytes the code page leaves undefined stand
// for the control characters of the same number, as the platform maps them.
std::string ToUtf8(std::string_view bytes);

// A character without a Windows-1250 form, and every byte of malformed UTF-8,
// becomes '?'.
std::string FromUtf8(std::string_view utf8);

} // namespace CodePage1250
