#include "platform/QtPlatform.h"
#include "python/Bindings.h"
#include "python/CScriptError.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <pybind11/stl.h>

#include <cstdio>
#include <new>

namespace py = pybind11;

namespace {

// Qt's own notices (a missing runtime folder on a headless machine) are no business of
// the script; its failures reach the standard error as zerin-cli's do.
void QtMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "zerin: %s\n", message.toStdString().c_str());
}

// Fonts and their metrics, and the pictures, need the application object, and no
// display: as zerin-cli makes it, unless the process has one (a Qt program's script).
void EnsureApplication() {
    if (QCoreApplication::instance())
        return;
    qInstallMessageHandler(QtMessage);
    EnsureQtPlatform();
    static int argc = 1;
    static char name[] = "zerin";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

const char* ErrorName(CScriptError::EKind kind) {
    switch (kind) {
    case CScriptError::EKind::File:
        return "FileError";
    case CScriptError::EKind::Net:
        return "NetError";
    case CScriptError::EKind::Argument:
        return "ArgumentError";
    case CScriptError::EKind::Limit:
        return "LimitError";
    case CScriptError::EKind::Engine:
        return "EngineError";
    case CScriptError::EKind::General:
        break;
    }
    return "Error";
}

// A CScriptError as the zerin.Error of its kind, with zerin-cli's message and the lines
// the output panes were given.
void Translate(std::exception_ptr thrown) {
    try {
        if (thrown)
            std::rethrow_exception(thrown);
    } catch (const CScriptError& error) {
        const py::object kind = py::module_::import("zerin._errors").attr(ErrorName(error.Kind()));
        const py::object raised = kind(error.what());
        raised.attr("lines") = py::cast(error.Lines());
        raised.attr("notes") = py::cast(error.Notes());
        PyErr_SetObject(kind.ptr(), raised.ptr());
    } catch (const std::bad_alloc&) {
        PyErr_SetString(PyExc_MemoryError, "not enough memory");
    }
}

} // namespace

PYBIND11_MODULE(_zerin, m) {
    m.doc() = "The core of Zerin, condition/event nets, for the package zerin.";
    EnsureApplication();
    py::register_exception_translator(&Translate);
    BindDocument(m);
    BindAnswers(m);
    BindRegistries(m);
    m.attr("NET_DESIGN") = 0;
    m.attr("CASE_GRAPH") = 1;
    m.attr("OCCURRENCE_NET") = 2;
}
