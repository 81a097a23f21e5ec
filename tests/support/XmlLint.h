#pragma once

#include <string>
#include <string_view>

// Well-formedness as xmllint (libxml2-utils) judges it: an empty text when the stored
// file or the document is well-formed, else xmllint's complaint.
// With a RELAX NG grammar, validity against it as well.
std::string XmlLintFile(const std::string& path, const std::string& relaxNg = {});
std::string CheckWellFormedXml(std::string_view document);
