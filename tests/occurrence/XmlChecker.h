#pragma once

#include <string>
#include <string_view>

// A small XML well-formedness checker for the exports: an optional declaration, one
// root element, properly nested and closed elements, quoted and unique attributes,
// '&' only in the five predefined entity references and character references, no
// '<' in text or attribute values, no control characters. Comments, processing
// instructions other than the declaration, CDATA and doctype are refused, since the
// exports write none. Returns an empty text when the document is well-formed, else
// what is wrong and where.
std::string CheckWellFormedXml(std::string_view document);
