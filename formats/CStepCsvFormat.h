#pragma once

#include "base/FileIO.h"
#include "casegraph/CPNCase.h"
#include "document/CZerinDoc.h"
#include "formats/CExportFormat.h"
#include "formats/CExportInput.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <string>

// The case graph's steps as a table for spreadsheets: comma-separated values in UTF-8, a
// header line, then one line per step in the order the graph keeps them with its name,
// the cases it leaves and reaches and its events (their names separated by blanks). A
// field holding a comma, a quote or a line break is quoted, its quotes doubled.
class CStepCsvFormat : public CExportFormat {
public:
    CStepCsvFormat()
        : CExportFormat("stepcsv", "CSV", "csv", "as a table of its steps (CSV)",
                        {{CZerinDoc::DIAGRAM_CASE_GRAPH, NEED_CASE_GRAPH | NEED_STORED_STEPS}}) {}

    CFileResult Write(const CExportInput& input, const std::string& path) const override {
        input.doc.NameForOutput(CZerinDoc::DIAGRAM_CASE_GRAPH);
        return WriteFileAtomically(path, Table(input.doc.CaseGraph()));
    }

    // The text the file holds.
    static std::string Table(const CCaseGraph& graph) {
        auto caseName = [&graph](int i) {
            const std::string& name = graph.Cases()[static_cast<std::size_t>(i)]->m_label.m_strText;
            return name.empty() ? "c" + std::to_string(i + 1) : name;
        };
        std::string text = "step,from,to,events\n";
        std::string name;
        for (std::size_t i = 0; i < graph.StepCount(); ++i) {
            if (!graph.GetStepName(i, name) || name.empty())
                name = "s" + std::to_string(i + 1);
            std::string events;
            for (const CPNEvent* event : graph.StepEvents(i))
                if (event->m_pLabel)
                    events += (events.empty() ? "" : " ") + event->m_pLabel->m_strText;
            text += Field(name) + ',' + Field(caseName(graph.StepFrom(i))) + ',' +
                    Field(caseName(graph.StepTo(i))) + ',' + Field(events) + '\n';
        }
        return text;
    }

private:
    static std::string Field(const std::string& text) {
        if (text.find_first_of(",\"\r\n") == std::string::npos)
            return text;
        std::string quoted = "\"";
        for (char c : text)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        return quoted + '"';
    }
};
