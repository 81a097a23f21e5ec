#pragma once

class CZerinDoc;

// The document's analysis commands of the menus: what the window asks of the document,
// which only offers the operations they use.
namespace DocumentCommands {

void CaseClassVerification(CZerinDoc& doc);
void WriteCaseClass(CZerinDoc& doc);
void ComputeAllReachable(CZerinDoc& doc);
void CountReachableClasses(CZerinDoc& doc);

} // namespace DocumentCommands
