#pragma once

#include <string>

class CZerinDoc;

// The document's commands of the menus, with the rules that enable them: what the
// window asks of the document, which only offers the operations they use.
namespace DocumentCommands {

bool CanExportNetDesignXML(const CZerinDoc& doc);
// A graph whose steps are produced on demand has no steps to export.
bool CanExportCaseGraphXML(const CZerinDoc& doc);
// The case class as XML lists the cases one by one.
bool CanExportCaseClassXML(const CZerinDoc& doc);
bool CanExportOccurrenceNetXML(const CZerinDoc& doc);

void CaseClassVerification(CZerinDoc& doc);
void WriteCaseClass(CZerinDoc& doc);
void ComputeAllReachable(CZerinDoc& doc);
void CountReachableClasses(CZerinDoc& doc);
void ExportCaseClassXML(CZerinDoc& doc);
void ExportNetDesignXML(CZerinDoc& doc);
void ExportCaseGraphXML(CZerinDoc& doc);
void ExportOccurrenceNetXML(CZerinDoc& doc);
// The case graph (or the occurrence net) for other tools: "graphml" or "dot".
void ExportGraph(CZerinDoc& doc, bool bCaseGraph, const std::string& extension);

} // namespace DocumentCommands
