"""The module as a Python user meets it: the stub lists every public call, help()
documents each, the errors form one family."""
import inspect
import os
import pydoc

import zerin

STUB = os.path.join(os.path.dirname(zerin.__file__), "__init__.pyi")
CLASSES = [zerin.Net, zerin.CaseGraph, zerin.OccurrenceNet, zerin.Answer, zerin.Steps,
           zerin.Run, zerin.Check, zerin.Path, zerin.Found]


def public(cls):
    return [name for name in dir(cls) if not name.startswith("_") or name == "_repr_svg_"]


def test_the_stub_has_every_public_call_and_help_documents_it():
    with open(STUB, encoding="utf-8") as f:
        stub = f.read()
    for name in zerin.__all__:
        assert ("def %s(" % name) in stub or ("class %s" % name) in stub, name
    for cls in CLASSES:
        start = stub.index("\nclass %s:" % cls.__name__) + 1
        end = stub.find("\nclass ", start)
        section = stub[start:end if end >= 0 else None]
        text = pydoc.render_doc(cls, renderer=pydoc.plaintext)
        for name in public(cls):
            attribute = getattr(cls, name)
            if callable(attribute) or isinstance(attribute, property):
                assert ("def %s(" % name) in section, "%s.%s is not in the stub" % (
                    cls.__name__, name)
                assert inspect.getdoc(attribute), "%s.%s has no documentation" % (
                    cls.__name__, name)
                assert name.startswith("_") or name in text


def test_every_question_is_in_the_stub_with_its_options():
    with open(STUB, encoding="utf-8") as f:
        stub = f.read()
    for question in zerin.questions():
        line = [l for l in stub.splitlines() if "def %s(" % question.method in l]
        assert line, question.id
        for option in question.options:
            assert option in line[0]


def test_the_errors_are_one_family():
    for error in (zerin.FileError, zerin.NetError, zerin.ArgumentError, zerin.LimitError,
                  zerin.EngineError):
        assert issubclass(error, zerin.Error)
    assert issubclass(zerin.ArgumentError, ValueError)
    assert issubclass(zerin.FileError, OSError)


def test_bad_input_raises_and_never_crashes(tmp_path):
    net = zerin.Net()
    for call in (lambda: net.add_event("e", pre=["nothing"]),
                 lambda: net.add_edge("a", "b"),
                 lambda: net.set_marked("x"),
                 lambda: net.save(""),
                 lambda: net.export(tmp_path / "x.svg", "no-format"),
                 lambda: zerin.open(""),
                 lambda: zerin.example("nothing"),
                 lambda: net.run(5, break_at=[["x"]]),
                 lambda: net.case_graph("none")):
        try:
            call()
        except zerin.Error:
            pass
    net.add_condition("a")
    net.add_condition("b")
    net.add_event("e", pre="a", post="b")
    for call in (lambda: net.add_edge("a", "b"), lambda: net.add_edge("a", "e"),
                 lambda: net.steps()[5]):
        try:
            call()
        except (zerin.Error, IndexError):
            pass
    assert net.edges == [("a", "e"), ("e", "b")]
