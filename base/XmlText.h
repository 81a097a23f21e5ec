#pragma once

#include "CFileResult.h"

#include <string>
#include <string_view>

// The XML exports: documents declared as windows-1250, assembled as UTF-8 in the
// program and stored in that code page.
namespace XmlText {

// The declaration line every export begins with, line end included.
constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1250\"?>\n";

// Escapes the four characters that would make a text or attribute value ill-formed:
// & < > and the double quote. Everything else is kept.
std::string Escape(std::string_view text);

// Converts the UTF-8 document to Windows-1250 ('?' for characters it lacks) and
// writes it to the path, replacing the file only when the whole write succeeds.
CFileResult Save(const std::string& path, std::string_view utf8Document);

} // namespace XmlText
