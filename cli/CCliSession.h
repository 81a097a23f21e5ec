#pragma once

#include "base/CFileResult.h"
#include "cli/CCliFrame.h"
#include "cli/options/CEngineOptions.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "engines/CCaseEngineChoice.h"
#include "platform/CMeasureDC.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

// One run of zerin-cli over one document: loading with the seed rule, saving, the
// shared case graph steps of several commands, and the diagnostics on the error
// stream as "zerin-cli: FILE: message".
class CCliSession {
public:
    CCliSession(std::ostream& out, std::ostream& err) : m_out(out), m_err(err), m_doc(m_frame) {}

    // Opens the file; false after reporting why it cannot be read. With a seed the
    // generator is seeded with it wherever the system would use the current time,
    // and once right after loading; without one the current time is used.
    bool Load(const std::string& path, std::optional<unsigned> seed);
    // A new, empty document, seeded as Load does.
    void New(std::optional<unsigned> seed);
    // Saves the document; false after reporting the reason.
    bool Save(const std::string& path);
    // Reports an output that could not be written, as "zerin-cli: reason" when the
    // reason names the file and "zerin-cli: OUT: reason" otherwise; false when it failed.
    bool Check(const CFileResult& result, const std::string& output);
    // Writes the diagram (CZerinDoc::DIAGRAM_...) in the registered export format of the
    // id, a picture as the model draws it; false after reporting a failure as Check does.
    bool Export(const std::string& formatId, int nDiagram, const std::string& output);
    // Writes "zerin-cli: FILE: message" (FILE the loaded file).
    void Report(const std::string& message);

    // The case graph of the net as the test computes it (structure, graph, initial
    // mark) from scratch, then named. The test itself runs without output: a net that
    // passes it is marked tested, so that a saved document keeps the graph; one that
    // fails stays untested, and a saved document holds no graph for it.
    // False, with the message reported, when the graph did not fit in memory.
    bool ComputeCaseGraph();
    // The limits and the engine of the options for the computations that follow. A
    // command that needs the stored graph (a drawing, a layout) takes auto as explicit
    // and refuses the others; breakpoints need the cases one by one.
    // False, with the reason reported, for an engine the command cannot use.
    using ENeeds = ECaseNeeds;
    bool UseEngine(const CEngineOptions& options, ENeeds needs);
    // The case class by the engine chosen (UseEngine first): auto takes the stored graph
    // where the command lists its steps; otherwise it tries the cases, keeps them where
    // the stored graph would not fit or take long to store (computing it where it is
    // quick), turns to the symbolic engine where the cases do not fit, and says which
    // and why on the error stream. Null, with the reason reported, when nothing fits.
    CCaseEngine* Analyse();
    // Lays the graph out as the case graph view does on its first display.
    void LayOutCaseGraph();

    // The command's own lines (the output panes have their sink).
    std::ostream& Out() { return m_out; }
    CZerinDoc& Doc() { return m_doc; }
    CCliFrame& Frame() { return m_frame; }
    CMeasureDC& MeasureDC() { return m_dc; }
    const std::string& File() const { return m_strFile; }
    // The file the messages name, where the command reads it without Load.
    void SetFile(const std::string& path) { m_strFile = path; }

private:
    void ApplySeed(std::optional<unsigned> seed);

    std::ostream& m_out;
    std::ostream& m_err;
    CCliFrame m_frame;
    CZerinDoc m_doc;
    CMeasureDC m_dc;
    std::string m_strFile;
    CEngineOptions m_engine;
    ENeeds m_eNeeds = ENeeds::Anything;
};
