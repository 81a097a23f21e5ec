#pragma once

#include <string>
#include <string_view>

// Well-formedness as xmllint (libxml2-utils) judges it: an empty text when the stored
// file or the document is well-formed, else xmllint's complaint.
std::string XmlLintFile(const std::string& path);
std::string CheckWellFormedXml(std::string_view document);
