#pragma once

#include <string>

class CPNElement;

// Pieces the net design and occurrence net exports share. Texts are UTF-8 and are
// escaped here; the document is stored in Windows-1250 by XmlText::Save.
namespace NetXml {

// "<root>\n" after the declaration line.
std::string Begin(const std::string& root);
// "</root>\n".
std::string End(const std::string& root);
// "  <edge>\n    <from>from</from>\n    <to>to</to>\n  </edge>\n".
std::string Edge(const std::string& from, const std::string& to);

// The text of a condition's or an event's name label; empty for anything else.
std::string NameOf(const CPNElement* element);

} // namespace NetXml
