#include "python/Bindings.h"
#include "questions/CAnswer.h"
#include "questions/CAnswerWriter.h"
#include "questions/CQuestionRegistry.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace {

const char* NeedsName(CQuestion::ENeeds needs) {
    switch (needs) {
    case CQuestion::ENeeds::Net:
        return "net";
    case CQuestion::ENeeds::CaseClass:
        return "case-class";
    case CQuestion::ENeeds::ListedCases:
        return "listed-cases";
    case CQuestion::ENeeds::StoredGraph:
        return "stored-graph";
    }
    return "net";
}

// Every question of the registry as a dictionary: what a script needs to offer it.
py::list QuestionList() {
    py::list list;
    for (const auto& question : Questions().Questions()) {
        py::list options;
        for (const CQuestion::Option& option : question->Options())
            options.append(py::dict(py::arg("name") = option.name,
                                    py::arg("value_name") = option.valueName,
                                    py::arg("help") = option.help,
                                    py::arg("repeatable") = option.repeatable,
                                    py::arg("choices") = option.choices));
        const CQuestion::CommandLine cli = question->Cli();
        list.append(py::dict(py::arg("id") = question->Id(),
                             py::arg("needs") = NeedsName(question->Needs()),
                             py::arg("options") = options, py::arg("command") = cli.command,
                             py::arg("flag") = cli.flag, py::arg("always") = cli.always,
                             py::arg("help") = cli.flag.empty() ? cli.description : cli.help,
                             py::arg("menu") = question->Menu().text,
                             py::arg("rank") = question->Rank()));
    }
    return list;
}

void BindParts(py::module_& m) {
    py::class_<CAnswer::Line>(m, "Line").def_readonly("text", &CAnswer::Line::text);
    py::class_<CAnswer::Verdict> verdict(m, "Verdict");
    py::enum_<CAnswer::Verdict::EValue>(verdict, "Value")
        .value("TRUE", CAnswer::Verdict::EValue::True)
        .value("FALSE", CAnswer::Verdict::EValue::False)
        .value("NUMBER", CAnswer::Verdict::EValue::Number)
        .value("UNKNOWN", CAnswer::Verdict::EValue::Unknown);
    verdict.def_readonly("id", &CAnswer::Verdict::id)
        .def_readonly("value", &CAnswer::Verdict::value)
        .def_readonly("number", &CAnswer::Verdict::number)
        .def_readonly("techniques", &CAnswer::Verdict::techniques)
        .def_readonly("why", &CAnswer::Verdict::why)
        .def_readonly("seconds", &CAnswer::Verdict::seconds)
        .def_readonly("sentence", &CAnswer::Verdict::sentence);
    py::class_<CAnswer::Count>(m, "Count")
        .def_readonly("name", &CAnswer::Count::name)
        .def_readonly("value", &CAnswer::Count::value)
        .def_readonly("sentence", &CAnswer::Count::sentence);
    py::class_<CAnswer::Cases>(m, "Cases")
        .def_readonly("heading", &CAnswer::Cases::heading)
        .def_readonly("cases", &CAnswer::Cases::cases)
        .def_readonly("total", &CAnswer::Cases::total);
    py::class_<CAnswer::Run> run(m, "Run");
    py::enum_<CAnswer::Run::EEnd>(run, "End")
        .value("OPEN", CAnswer::Run::EEnd::Open)
        .value("LOOP", CAnswer::Run::EEnd::Loop)
        .value("DEADLOCK", CAnswer::Run::EEnd::Deadlock);
    py::class_<CAnswer::Run::Step>(run, "Step")
        .def_readonly("events", &CAnswer::Run::Step::events)
        .def_readonly("forward", &CAnswer::Run::Step::forward)
        .def_readonly("to", &CAnswer::Run::Step::to);
    run.def_readonly("start", &CAnswer::Run::from)
        .def_readonly("steps", &CAnswer::Run::steps)
        .def_readonly("end", &CAnswer::Run::end)
        .def_readonly("loop_start", &CAnswer::Run::loopStart);
    py::class_<CAnswer::Table>(m, "Table")
        .def_readonly("heading", &CAnswer::Table::heading)
        .def_readonly("columns", &CAnswer::Table::columns)
        .def_readonly("rows", &CAnswer::Table::rows)
        .def_readonly("complete", &CAnswer::Table::complete);
}

} // namespace

void BindAnswers(py::module_& m) {
    BindParts(m);
    py::class_<CAnswer>(m, "AnswerData")
        .def_property_readonly("parts",
                               [](const CAnswer& answer) {
                                   py::list parts;
                                   for (const CAnswer::Entry& entry : answer.parts)
                                       parts.append(py::make_tuple(entry.pane, entry.part));
                                   return parts;
                               })
        .def_readonly("status", &CAnswer::status)
        .def_readonly("error", &CAnswer::error);
    m.def("part_lines", &CAnswerWriter::Lines, py::arg("part"),
          "The lines zerin-cli writes of an answer's part.");
    m.def("contest_line", &CAnswerWriter::ContestLine, py::arg("verdict"));
    m.def("questions", &QuestionList, "Every question of the registry, in its order.");
}
