#pragma once

class CZerinDoc;

// The document's commands of the menus that are no question of the registry: what the
// window asks of the document, which only offers the operations they use.
namespace DocumentCommands {

void CaseClassVerification(CZerinDoc& doc);

} // namespace DocumentCommands
