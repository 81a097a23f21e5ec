#pragma once

#include "engines/CCaseEngine.h"
#include "engines/CEngineOptions.h"
#include "python/CScriptError.h"
#include "python/CScriptSession.h"
#include "questions/CAnswer.h"
#include "questions/CQuestion.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <tuple>
#include <string>
#include <utility>
#include <vector>

class CInterruptWatch;
class CPNCondition;
class CPNEvent;

// A case as a script names it: the names of its conditions, in the net's order.
using CScriptCase = std::vector<std::string>;

// The test of a net as a C/E system: the lines zerin-cli check writes, and its verdict.
struct CScriptCheck {
    bool ceSystem = false;
    bool contactFree = false;
    std::vector<std::string> lines;
};

// An automatic run: the lines written, each step fired and the case after it.
struct CScriptRun {
    std::vector<std::string> lines;
    std::vector<std::pair<CScriptCase, CScriptCase>> steps;
    bool breakpoint = false;
    // What zerin-cli would say on its error stream: breakpoints never reached.
    std::vector<std::string> notes;
};

// A graph for networkx: nodes with their names and what they stand for, arcs between
// node indices with the event set they fire (an index into eventSets).
struct CScriptGraph {
    std::vector<std::string> names;
    std::vector<CScriptCase> members;
    std::vector<int> kinds;
    std::vector<CScriptCase> eventSets;
    std::vector<std::tuple<int, int, int>> arcs;
};

// A way through the case class: from the first case, each step's events, whether it
// fires forward, the case it leads to; found false for a way looked for and not there.
struct CScriptPath {
    CScriptCase from;
    CScriptCase to;
    bool found = false;
    std::vector<std::tuple<std::vector<std::string>, bool, CScriptCase>> steps;
    std::vector<std::string> lines;
};

// The document behind a script's net (zerin.Net): the same session zerin-cli runs, its
// diagnostics kept to be raised as CScriptError with zerin-cli's message. Every call
// runs with the interpreter let go and the net's mutex held (the bindings see to both);
// long ones stop on Ctrl+C.
class CScriptNet {
public:
    CScriptNet();
    std::mutex& Mutex() { return m_mutex; }

    // --- Files. ---
    // A .zrn document, or the net of a PNML file (the one of the id) as a new document.
    void Open(const std::string& path, const std::optional<std::string>& netId);
    void Save(const std::string& path);
    // The diagram in the format of the id, or of the path's extension where the id is
    // empty; standalone for a TikZ picture that compiles on its own.
    void Export(const std::string& path, const std::string& formatId, int nDiagram,
                bool standalone);
    // The bytes the format writes of the diagram.
    std::string ExportBytes(const std::string& formatId, int nDiagram);
    std::string Title() const { return m_session.Doc().GetTitle(); }
    // The file messages name: the one opened or saved, else the title.
    std::string File() const { return m_session.File(); }
    std::string Path() const { return m_session.Doc().GetPathName(); }
    bool IsModified() const { return m_session.Doc().IsModified(); }
    std::vector<std::string> TakeNotices() { return m_session.Take(); }
    // The example net of the name drawn into this new document; false for none.
    bool BuildExample(const std::string& name);

    // --- The net. ---
    std::vector<std::string> Conditions() const;
    std::vector<std::string> Events() const;
    std::vector<std::pair<std::string, std::string>> Edges() const;
    CScriptCase Marked() const;
    std::string AddCondition(const std::string& name, bool marked,
                             std::optional<std::pair<int, int>> at);
    std::string AddEvent(const std::string& name, const std::vector<std::string>& pre,
                         const std::vector<std::string>& post,
                         std::optional<std::pair<int, int>> at);
    void AddEdge(const std::string& from, const std::string& to);
    void SetMarked(const std::string& condition, bool marked);

    // --- The test and the complement. ---
    CScriptCheck Check(const CEngineOptions& engine);
    // The complement conditions added: how many, and the lines zerin-cli writes.
    std::pair<int, std::vector<std::string>> Complement();

    // --- The token game (in simulation, entered with a full test when needed). ---
    CScriptCase CurrentCase();
    CScriptCase InitialCase();
    std::vector<std::string> EventsWithConcession(const std::optional<CScriptCase>& in);
    // The number of steps of the case (the current one), as a decimal text.
    std::string CountSteps(const std::optional<CScriptCase>& in);
    // The step at the position (a decimal text) in the order the steps are listed.
    std::vector<std::string> StepAt(const std::optional<CScriptCase>& in, const std::string& k);
    // Fires the events as one step; the case after it.
    CScriptCase Fire(const std::vector<std::string>& events);
    void Reset();
    void SetCase(const CScriptCase& c);
    // zerin-cli simulate: a full test, breakpoints, the automatic run.
    CScriptRun Run(int steps, std::optional<unsigned> seed, bool largest,
                   const std::vector<std::vector<std::string>>& breakAt,
                   const CEngineOptions& engine);
    // The occurrence net of what was recorded.
    CScriptGraph OccurrenceNet();
    bool IsContactFree() const { return m_session.Doc().Record().contactFree; }

    // --- The case class. ---
    // Computes it by the engine (auto: the first that fits) for what is to be asked of
    // it (CHeadlessSession::ENeeds: the stored graph, the cases one by one, anything);
    // its engine's name and what the session told of the choice.
    std::pair<std::string, std::vector<std::string>> ComputeCaseClass(
        const CEngineOptions& engine, int needs);
    // Which computation the class is: a case graph of an earlier one is out of date.
    std::uint64_t CaseClassStamp() const { return m_nStamp; }
    // Which state of the net: every edit counts it up.
    std::uint64_t Revision() const { return m_nRevision; }
    // The engine of the class of the stamp; CScriptError where it is out of date.
    CCaseEngine& Engine(std::uint64_t stamp);
    // An engine's queries, with names for conditions.
    CScriptCase CaseOf(std::uint64_t stamp, int index);
    int IndexOf(std::uint64_t stamp, const CScriptCase& c);
    std::vector<std::pair<std::vector<std::string>, int>> StepsOf(std::uint64_t stamp, int index,
                                                                  bool forward);
    std::pair<std::string, std::vector<CScriptCase>> Find(std::uint64_t stamp,
                                                          const CScriptCase& wanted,
                                                          const CScriptCase& unwanted,
                                                          bool onlyReachable, int shown);
    std::optional<CScriptPath> PathTo(std::uint64_t stamp, const CScriptCase& to);
    // The way as a script reads it.
    CScriptPath PathOf(const CCaseRun& run) const;
    CScriptCase Names(const CSetConditions& c) const;
    std::vector<std::string> Names(const CSetEvents& events) const;
    // The forward-reachable classes: each class's cases (indices).
    std::vector<std::vector<int>> Classes(std::uint64_t stamp);
    // The case graph (listed cases) as a graph.
    CScriptGraph CaseGraph(std::uint64_t stamp);
    // The stored graph named and laid out as its view first shows it, for its exports;
    // CScriptError where the engine does not store it.
    void LayOutCaseGraph(std::uint64_t stamp);

    // --- Questions. ---
    // The question of the id with its arguments ("--wanted" -> {"a,b"}): of the class of
    // the stamp where one is given, else of the net's own (computed as it needs).
    CAnswer Ask(const std::string& id, const CQuestionArgs& args,
                std::optional<std::uint64_t> stamp);

private:
    // Raises what the session told last, as the kind, with the lines written before.
    [[noreturn]] void Fail(CScriptError::EKind kind, std::vector<std::string> lines = {});
    CPNCondition& ConditionNamed(const std::string& name) const;
    CPNEvent& EventNamed(const std::string& name) const;
    CSetConditions CaseNamed(const CScriptCase& names) const;
    // The net changed: what was computed of it goes.
    void NetChanged();
    // The case class is computed anew: simulation is left, the stamp counts up.
    void NewCaseClass();
    // In simulation, entered with a full test where the net changed since.
    void EnsureSimulation();
    // The case class computed for the needs, unless the one there serves them.
    CCaseEngine& EngineFor(CHeadlessSession::ENeeds needs, const CEngineOptions& engine,
                           CInterruptWatch& watch);
    std::pair<int, int> NextPlace();

    mutable std::mutex m_mutex;
    CScriptSession m_session;
    std::uint64_t m_nStamp = 0;
    std::uint64_t m_nRevision = 0;
    // The class the stamp names: the stored graph as the test leaves it, or not.
    bool m_bStored = false;
    int m_nPlaced = 0;
};
