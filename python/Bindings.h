#pragma once

#include <pybind11/pybind11.h>

// The parts of the module _zerin, each bound by a function of its own.
// The document of a net (CScriptNet) and what its calls return.
void BindDocument(pybind11::module_& m);
// The registry's questions and their typed answers (CAnswer).
void BindAnswers(pybind11::module_& m);
// The export formats, the examples and the engines' names.
void BindRegistries(pybind11::module_& m);
