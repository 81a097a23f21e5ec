"""Zerin from Python: condition/event nets, their token game and case graphs.

Open a document or a PNML file, or build a net in code; test it as a C/E system,
complement it, play the token game, compute its case graph with any engine, ask it
every question Zerin answers, and export what it shows::

    import zerin
    net = zerin.open("philosophers.zrn")
    print(net.case_graph().count())

The module runs the core of zerin-cli: its answers, messages and files are the
command line's. Long computations let other threads run and stop on Ctrl+C.
"""

from zerin._errors import (ArgumentError, EngineError, Error, FileError, LimitError,
                           NetError)
from zerin import _zerin
from zerin._net import (Answer, CaseGraph, Check, Complement, Found, Net, OccurrenceNet,
                        Path, Run, Step, Steps)
from zerin._questions import Question, add_question_methods

__all__ = [
    "open", "example", "examples", "questions", "formats", "engines",
    "Net", "CaseGraph", "OccurrenceNet", "Answer", "Check", "Complement", "Run", "Steps",
    "Step",
    "Path", "Found", "Question",
    "Error", "FileError", "NetError", "ArgumentError", "LimitError", "EngineError",
]

__version__ = "1.65"


def open(path, *, net=None):  # noqa: A001 - the module's verb, as zerin-cli's
    """The net of a file: a Zerin document (.zrn), or the net of a PNML file (.pnml,
    .xml; ``net`` names the net of a file that holds several). Raises FileError with
    zerin-cli's message for a file that cannot be read, NetError for a PNML net that
    is no condition/event net."""
    opened = Net()
    opened._open(str(path), net)
    return opened


def example(name):
    """One of the example nets shipped with Zerin (see examples()), as a new
    document named after it."""
    made = Net()
    if not made._doc.build_example(name):
        raise ArgumentError("no example is named '%s' (%s)" % (name, ", ".join(examples())))
    return made


def examples():
    """The names of the example nets: {name: what it shows}."""
    return {name: _zerin.describe_example(name) for name in _zerin.example_names()}


def questions():
    """Every question of Zerin's registry, in its order: each asked of a net by its id
    (net.ask(id, ...)) or as the method of its name (net.class_summary())."""
    return [Question(q) for q in _zerin.questions()]


def formats():
    """Every export format: {id: (name, extension, diagrams)}, the diagrams among
    "net", "casegraph" and "occurrence"."""
    diagrams = {0: "net", 1: "casegraph", 2: "occurrence"}
    return {f["id"]: (f["name"], f["extension"], [diagrams[d] for d in f["diagrams"]])
            for f in _zerin.formats()}


def engines():
    """The engines that compute a case class: "auto" takes the first that fits."""
    return ["auto", "explicit", "cases", "symbolic"]


add_question_methods(Net, CaseGraph)
