#include "examples/CExampleNets.h"
#include "platform/ExportFormats.h"
#include "python/Bindings.h"

#include <pybind11/stl.h>

namespace py = pybind11;

namespace {

// Every export format as a dictionary, in the order of the Export menus.
py::list FormatList() {
    py::list list;
    for (const auto& format : ExportFormats().GetFormats())
        list.append(py::dict(py::arg("id") = format->GetId(),
                             py::arg("name") = format->GetName(),
                             py::arg("extension") = format->GetExtension(),
                             py::arg("diagrams") = format->GetDiagrams(),
                             py::arg("picture") = format->Draws()));
    return list;
}

} // namespace

void BindRegistries(py::module_& m) {
    m.def("formats", &FormatList, "Every export format, in the order of the Export menus.");
    m.def("example_names", &CExampleNets::Names, "The example nets shipped with Zerin.");
    m.def("describe_example", &CExampleNets::Describe, py::arg("name"));
}
