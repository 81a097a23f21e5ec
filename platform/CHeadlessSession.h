#pragma once

#include "base/CFileResult.h"
#include "document/CZerinDoc.h"
#include "engines/CCaseEngine.h"
#include "engines/CCaseEngineChoice.h"
#include "engines/CEngineOptions.h"
#include "platform/CHeadlessFrame.h"
#include "platform/CMeasureDC.h"

#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

// One document without a window, as zerin-cli and scripts work on it: loading with the
// seed rule, importing PNML, saving and exporting, the engine choice and the case class,
// the full test and the automatic run. What goes wrong (and which engine auto took) is
// told to Tell as "FILE: message"; the caller shows it its way.
class CHeadlessSession {
public:
    CHeadlessSession() : m_doc(m_frame) {}
    virtual ~CHeadlessSession() = default;
    CHeadlessSession(const CHeadlessSession&) = delete;
    CHeadlessSession& operator=(const CHeadlessSession&) = delete;

    // Opens the file; false after reporting why it cannot be read. With a seed the
    // generator is seeded with it wherever the system would use the current time,
    // and once right after loading; without one the current time is used.
    bool Load(const std::string& path, std::optional<unsigned> seed);
    // A new, empty document, seeded as Load does.
    void New(std::optional<unsigned> seed);
    // The net of a PNML file (the one of the id, or its only one) as a new document, its
    // new conditions and events named b1, e1, ...; false after reporting why not, with
    // notCENet for a net refused for what it is.
    bool Import(const std::string& path, const std::optional<std::string>& netId,
                bool& notCENet);
    // The generator seeded as Load does, now.
    void ApplySeed(std::optional<unsigned> seed);
    // Saves the document; false after reporting the reason.
    bool Save(const std::string& path);
    // Reports an output that could not be written, as "reason" when the reason names the
    // file and "OUT: reason" otherwise; false when it failed.
    bool Check(const CFileResult& result, const std::string& output);
    // Writes the diagram (CZerinDoc::DIAGRAM_...) in the registered export format of the
    // id, a picture as the model draws it; false after reporting a failure as Check does.
    bool Export(const std::string& formatId, int nDiagram, const std::string& output,
                bool standalone = false);
    // Tells "FILE: message" (FILE the loaded file).
    void Report(const std::string& message);

    // The case graph of the net as the test computes it (structure, graph, initial
    // mark) from scratch, then named. The test itself runs without output: a net that
    // passes it is marked tested, so that a saved document keeps the graph; one that
    // fails stays untested, and a saved document holds no graph for it.
    // False, with the message reported, when the graph did not fit in memory.
    bool ComputeCaseGraph();
    // The limits and the engine of the options for the computations that follow. What
    // needs the stored graph (a drawing, a layout) takes auto as explicit and refuses
    // the others; breakpoints need the cases one by one.
    // False, with the reason reported, for an engine that cannot serve.
    using ENeeds = ECaseNeeds;
    bool UseEngine(const CEngineOptions& options, ENeeds needs);
    // The case class by the engine chosen (UseEngine first): auto takes the stored graph
    // where what is asked lists its steps; otherwise it tries the cases, keeps them where
    // the stored graph would not fit or take long to store (computing it where it is
    // quick), turns to the symbolic engine where the cases do not fit, and says which
    // and why. Null, with the reason reported, when nothing fits.
    CCaseEngine* Analyse();
    // Lays the graph out as the case graph view does on its first display.
    void LayOutCaseGraph();

    // "Enter Simulation Mode" with a full test, as after an edit of the net.
    enum class ETest { CESystem, NotCESystem, Failed };
    // Failed (reported): a case graph that did not fit in memory, which says nothing
    // about the net.
    ETest EnterWithFullTest();
    // Makes the cases of exactly the named conditions breakpoints (in simulation); false
    // after reporting a name that no condition has. A case the net never reaches is
    // reported, and the run goes on.
    bool SetBreakpoints(const std::vector<std::vector<std::string>>& cases);
    // The automatic run of at most steps steps (in simulation), each chosen at random or
    // the first of the largest, until no step is possible or a breakpoint is reached.
    // fired is told each step's events after firing them; false stops the run.
    using StepFired = std::function<bool(const std::list<CPNElement*>& step)>;
    void RunAutomatically(int steps, bool largest, const StepFired& fired = {});

    CZerinDoc& Doc() { return m_doc; }
    const CZerinDoc& Doc() const { return m_doc; }
    CHeadlessFrame& Frame() { return m_frame; }
    CMeasureDC& MeasureDC() { return m_dc; }
    const std::string& File() const { return m_strFile; }
    // The file the messages name, where it is read without Load.
    void SetFile(const std::string& path) { m_strFile = path; }

protected:
    // A diagnostic for the user: "FILE: message", or an output's "OUT: reason".
    virtual void Tell(const std::string& text) = 0;

private:
    CHeadlessFrame m_frame;
    CZerinDoc m_doc;
    CMeasureDC m_dc;
    std::string m_strFile;
    CEngineOptions m_engine;
    ENeeds m_eNeeds = ENeeds::Anything;
};
