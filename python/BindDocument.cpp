#include "base/TextValues.h"
#include "python/Bindings.h"
#include "python/CScriptNet.h"

#include <pybind11/stl.h>

#include <mutex>

namespace py = pybind11;

namespace {

// A call of the document with the interpreter let go and the net held: the arguments
// are converted before, the result after.
template <class R, class... A> auto Locked(R (CScriptNet::*method)(A...)) {
    return [method](CScriptNet& net, A... args) -> R {
        py::gil_scoped_release release;
        std::lock_guard<std::mutex> lock(net.Mutex());
        return (net.*method)(std::forward<A>(args)...);
    };
}

template <class R, class... A> auto Locked(R (CScriptNet::*method)(A...) const) {
    return [method](const CScriptNet& net, A... args) -> R {
        py::gil_scoped_release release;
        std::lock_guard<std::mutex> lock(const_cast<CScriptNet&>(net).Mutex());
        return (net.*method)(std::forward<A>(args)...);
    };
}

// The engine and limits as a script gives them: "auto", a number of cases, a size as
// "512M" or a number of bytes.
CEngineOptions EngineOptions(const std::string& engine, std::optional<long long> maxCases,
                             std::optional<std::string> maxMemory) {
    CEngineOptions options;
    const auto parsed = ParseCaseEngine(engine);
    if (!parsed)
        throw CScriptError(CScriptError::EKind::Argument,
                           "engine takes explicit, cases, symbolic or auto, not '" + engine + "'");
    options.engine = *parsed;
    if (maxCases) {
        if (*maxCases < 1)
            throw CScriptError(CScriptError::EKind::Argument,
                               "max_cases takes a number of cases, not " +
                                   std::to_string(*maxCases));
        options.maxCases = *maxCases;
    }
    if (maxMemory) {
        const auto size = TextValues::Size(*maxMemory);
        if (!size)
            throw CScriptError(CScriptError::EKind::Argument,
                               "max_memory takes a size such as 512M or 2G, not '" + *maxMemory +
                                   "'");
        options.maxMemory = *size;
        options.maxMemoryText = *maxMemory;
    }
    return options;
}

void BindResults(py::module_& m) {
    py::class_<CScriptCheck>(m, "CheckResult")
        .def_readonly("ce_system", &CScriptCheck::ceSystem)
        .def_readonly("contact_free", &CScriptCheck::contactFree)
        .def_readonly("lines", &CScriptCheck::lines);
    py::class_<CScriptRun>(m, "RunResult")
        .def_readonly("lines", &CScriptRun::lines)
        .def_readonly("steps", &CScriptRun::steps)
        .def_readonly("breakpoint", &CScriptRun::breakpoint)
        .def_readonly("notes", &CScriptRun::notes);
    py::class_<CScriptGraph>(m, "GraphData")
        .def_readonly("names", &CScriptGraph::names)
        .def_readonly("members", &CScriptGraph::members)
        .def_readonly("kinds", &CScriptGraph::kinds)
        .def_readonly("event_sets", &CScriptGraph::eventSets)
        .def_readonly("arcs", &CScriptGraph::arcs);
    py::class_<CScriptPath>(m, "PathData")
        .def_readonly("start", &CScriptPath::from)
        .def_readonly("end", &CScriptPath::to)
        .def_readonly("found", &CScriptPath::found)
        .def_readonly("steps", &CScriptPath::steps)
        .def_readonly("lines", &CScriptPath::lines);
    m.def("engine_options", &EngineOptions, py::arg("engine"), py::arg("max_cases"),
          py::arg("max_memory"));
    py::class_<CEngineOptions>(m, "EngineOptions");
    m.attr("NEEDS_STEPS") = static_cast<int>(CHeadlessSession::ENeeds::StoredGraph);
    m.attr("NEEDS_CASES") = static_cast<int>(CHeadlessSession::ENeeds::Cases);
    m.attr("NEEDS_CLASS") = static_cast<int>(CHeadlessSession::ENeeds::Anything);
}

void BindNetCalls(py::class_<CScriptNet>& c) {
    using N = CScriptNet;
    c.def(py::init<>())
        .def("open", Locked(&N::Open))
        .def("save", Locked(&N::Save))
        .def("export", Locked(&N::Export))
        .def("export_bytes",
             [](N& net, const std::string& format, int diagram) {
                 std::string bytes;
                 {
                     py::gil_scoped_release release;
                     std::lock_guard<std::mutex> lock(net.Mutex());
                     bytes = net.ExportBytes(format, diagram);
                 }
                 return py::bytes(bytes);
             })
        .def("title", Locked(&N::Title))
        .def("file", Locked(&N::File))
        .def("path", Locked(&N::Path))
        .def("is_modified", Locked(&N::IsModified))
        .def("take_notices", Locked(&N::TakeNotices))
        .def("build_example", Locked(&N::BuildExample))
        .def("conditions", Locked(&N::Conditions))
        .def("events", Locked(&N::Events))
        .def("edges", Locked(&N::Edges))
        .def("marked", Locked(&N::Marked))
        .def("add_condition", Locked(&N::AddCondition))
        .def("add_event", Locked(&N::AddEvent))
        .def("add_edge", Locked(&N::AddEdge))
        .def("set_marked", Locked(&N::SetMarked))
        .def("check", Locked(&N::Check))
        .def("complement", Locked(&N::Complement));
}

void BindGameCalls(py::class_<CScriptNet>& c) {
    using N = CScriptNet;
    c.def("current_case", Locked(&N::CurrentCase))
        .def("initial_case", Locked(&N::InitialCase))
        .def("events_with_concession", Locked(&N::EventsWithConcession))
        .def("count_steps", Locked(&N::CountSteps))
        .def("step_at", Locked(&N::StepAt))
        .def("fire", Locked(&N::Fire))
        .def("reset", Locked(&N::Reset))
        .def("set_case", Locked(&N::SetCase))
        .def("run", Locked(&N::Run))
        .def("occurrence_net", Locked(&N::OccurrenceNet))
        .def("is_contact_free", Locked(&N::IsContactFree));
}

void BindClassCalls(py::class_<CScriptNet>& c) {
    using N = CScriptNet;
    c.def("compute_case_class", Locked(&N::ComputeCaseClass))
        .def("case_class_stamp", Locked(&N::CaseClassStamp))
        .def("revision", Locked(&N::Revision))
        .def("engine_name",
             [](N& net, std::uint64_t stamp) {
                 py::gil_scoped_release release;
                 std::lock_guard<std::mutex> lock(net.Mutex());
                 return std::string(net.Engine(stamp).GetEngineName());
             })
        .def("count",
             [](N& net, std::uint64_t stamp, const std::string& what) {
                 py::gil_scoped_release release;
                 std::lock_guard<std::mutex> lock(net.Mutex());
                 CCaseEngine& engine = net.Engine(stamp);
                 return what == "cases"   ? engine.CountCases()
                        : what == "steps" ? engine.CountSteps()
                                          : engine.CountForwardCases();
             })
        .def("contact_free",
             [](N& net, std::uint64_t stamp) {
                 py::gil_scoped_release release;
                 std::lock_guard<std::mutex> lock(net.Mutex());
                 return net.Engine(stamp).IsContactFree();
             })
        .def("lists_cases",
             [](N& net, std::uint64_t stamp) {
                 py::gil_scoped_release release;
                 std::lock_guard<std::mutex> lock(net.Mutex());
                 return net.Engine(stamp).ListsCases();
             })
        .def("case_count",
             [](N& net, std::uint64_t stamp) {
                 py::gil_scoped_release release;
                 std::lock_guard<std::mutex> lock(net.Mutex());
                 return net.Engine(stamp).CaseCount();
             })
        .def("case_of", Locked(&N::CaseOf))
        .def("index_of", Locked(&N::IndexOf))
        .def("steps_of", Locked(&N::StepsOf))
        .def("find", Locked(&N::Find))
        .def("path_to", Locked(&N::PathTo))
        .def("classes", Locked(&N::Classes))
        .def("case_graph", Locked(&N::CaseGraph))
        .def("lay_out_case_graph", Locked(&N::LayOutCaseGraph))
        .def("ask", Locked(&N::Ask));
}

} // namespace

void BindDocument(py::module_& m) {
    BindResults(m);
    py::class_<CScriptNet> document(m, "Document",
                                    "The document of a net as zerin-cli works on it; "
                                    "zerin.Net is its face for scripts.");
    BindNetCalls(document);
    BindGameCalls(document);
    BindClassCalls(document);
}
