"""Files through the module: documents and PNML read and written byte for byte as
zerin-cli reads and writes them, every corrupt document refused with zerin-cli's message,
every export format written."""
import glob
import os
import shutil

import pytest

import zerin
from conftest import DATA, run_cli, write_fixture

VALID = sorted(glob.glob(os.path.join(DATA, "valid", "*.zrn")) +
               glob.glob(os.path.join(DATA, "compat", "*.zrn")))
CORRUPT = sorted(glob.glob(os.path.join(DATA, "corrupt", "*.zrn")) +
                 glob.glob(os.path.join(DATA, "corrupt-found", "*.zrn")))


def read(path):
    with open(path, "rb") as f:
        return f.read()


@pytest.mark.parametrize("path", VALID, ids=os.path.basename)
def test_a_document_is_saved_again_byte_for_byte(path, tmp_path):
    # zerin-cli resave keeps every byte; so does opening and saving from Python, and a
    # second round trip changes nothing either.
    net = zerin.open(path)
    net.save(tmp_path / "once.zrn")
    zerin.open(tmp_path / "once.zrn").save(tmp_path / "twice.zrn")
    status, _, _ = run_cli("resave", path, tmp_path / "cli.zrn")
    assert status == 0
    assert read(tmp_path / "once.zrn") == read(tmp_path / "cli.zrn")
    assert read(tmp_path / "twice.zrn") == read(tmp_path / "cli.zrn")


def test_every_corrupt_document_raises_the_command_lines_message():
    assert len(CORRUPT) >= 60
    for path in CORRUPT:
        with pytest.raises(zerin.FileError) as raised:
            zerin.open(path)
        assert str(raised.value) == path + ": Unexpected file format.", path
    # The message is the one zerin-cli gives, after its name.
    status, _, err = run_cli("check", CORRUPT[0])
    assert status == 2 and err == "zerin-cli: " + CORRUPT[0] + ": Unexpected file format.\n"


@pytest.mark.parametrize("path,reason", [
    ("missing.zrn", "missing"), ("folder", "folder"), ("/dev/zero", "device"),
    ("notes.zrn", "words")])
def test_files_that_are_no_documents_raise_file_errors_as_the_command_line(path, reason,
                                                                           tmp_path):
    os.mkdir(tmp_path / "folder")
    (tmp_path / "notes.zrn").write_text("just some words\n")
    path = path if path.startswith("/") else str(tmp_path / path)
    with pytest.raises(zerin.FileError) as raised:
        zerin.open(path)
    _, _, err = run_cli("check", path)
    assert err == "zerin-cli: %s\n" % raised.value


def test_an_output_that_cannot_be_written_raises_and_keeps_the_net(tmp_path):
    net = zerin.example("mutex")
    (tmp_path / "file").write_text("")
    for call in (lambda: net.save(tmp_path / "file" / "x.zrn"),
                 lambda: net.export(tmp_path / "file" / "x.svg"),
                 lambda: net.case_graph().export(tmp_path / "file" / "x.graphml")):
        with pytest.raises(zerin.FileError) as raised:
            call()
        assert str(tmp_path / "file") in str(raised.value)
    assert len(net.conditions) == 5


def test_pnml_round_trips_through_python_as_through_the_command_line(tmp_path):
    # A contest net imported, exported as PNML by the module and by zerin-cli: the same
    # bytes; that PNML read again and written again: the same bytes once more.
    models = sorted(glob.glob(os.path.join(os.environ.get("ZERIN_MCC_DIR", "-"), "*.pnml")))
    source = next((m for m in models if "Dining" in m or "Philosophers" in m), None) or \
        (models[0] if models else None)
    if source is None:
        net = zerin.example("philosophers")
        net.export(tmp_path / "source.pnml")
        source = str(tmp_path / "source.pnml")
    # The document's title names the net: the same file name everywhere.
    stem = os.path.splitext(os.path.basename(source))[0]
    for folder in ("python", "cli", "again"):
        os.mkdir(tmp_path / folder)
    zerin.open(source).export(tmp_path / "python" / (stem + ".pnml"))
    document = tmp_path / "cli" / (stem + ".zrn")
    assert run_cli("import", source, "-o", document)[0] == 0
    assert run_cli("export", document, "--pnml", tmp_path / "cli" / (stem + ".pnml"))[0] == 0
    written = read(tmp_path / "python" / (stem + ".pnml"))
    assert written == read(tmp_path / "cli" / (stem + ".pnml"))
    zerin.open(tmp_path / "python" / (stem + ".pnml")).export(tmp_path / "again" / (stem + ".pnml"))
    assert read(tmp_path / "again" / (stem + ".pnml")) == written


def test_a_pnml_net_that_is_no_ce_net_raises_a_net_error(tmp_path):
    (tmp_path / "two.pnml").write_text(
        '<?xml version="1.0"?><pnml xmlns="http://www.pnml.org/version-2009/grammar/pnml">'
        '<net id="n" type="http://www.pnml.org/version-2009/grammar/ptnet"><page id="p">'
        '<place id="a"><initialMarking><text>2</text></initialMarking></place>'
        '</page></net></pnml>')
    with pytest.raises(zerin.NetError) as raised:
        zerin.open(tmp_path / "two.pnml")
    status, _, err = run_cli("import", tmp_path / "two.pnml", "-o", tmp_path / "x.zrn")
    assert status == 1 and err == "zerin-cli: %s\n" % raised.value


FORMATS = [("net", "svg", b"<svg"), ("net", "png", b"\x89PNG"), ("net", "pdf", b"%PDF"),
           ("net", "tex", b"\\begin{tikzpicture}"), ("net", "pnml", b"<pnml"),
           ("casegraph", "graphml", b"<graphml"), ("casegraph", "dot", b"digraph"),
           ("casegraph", "svg", b"<svg"), ("casegraph", "pdf", b"%PDF"),
           ("casegraph", "tex", b"\\begin{tikzpicture}"),
           ("occurrence", "graphml", b"<graphml"), ("occurrence", "dot", b"digraph"),
           ("occurrence", "png", b"\x89PNG"), ("occurrence", "svg", b"<svg")]


@pytest.mark.parametrize("diagram,extension,start", FORMATS,
                         ids=["%s.%s" % f[:2] for f in FORMATS])
def test_every_diagram_exports_by_its_extension(diagram, extension, start, tmp_path):
    net = zerin.example("philosophers")
    target = {"net": lambda: net, "casegraph": lambda: net.case_graph(needs="steps")}
    if diagram == "occurrence":
        net.run(6, seed=2)
        target["occurrence"] = net.occurrence_net
    out = tmp_path / ("out." + extension)
    target[diagram]().export(out)
    assert start in read(out)[:4096]


def test_the_formats_are_the_registrys_and_a_wrong_one_is_refused(tmp_path):
    formats = zerin.formats()
    for wanted in ("svg", "png", "pdf", "tikz", "pnml", "graphml", "dot"):
        assert wanted in formats
    net = zerin.example("mutex")
    with pytest.raises(zerin.ArgumentError):
        net.export(tmp_path / "x.unknown")
    with pytest.raises(zerin.ArgumentError):
        net.export(tmp_path / "x.xml", "graphml")
    net.export(tmp_path / "standalone.tex", standalone=True)
    assert b"\\documentclass" in read(tmp_path / "standalone.tex")


def test_a_net_built_in_code_saves_as_the_fixture_zerin_cli_writes(tmp_path):
    # The command line's test writes its fixtures through the document; the module
    # builds the same nets, and zerin-cli reads them as its own.
    path = write_fixture(str(tmp_path), "twocycles")
    status, out, _ = run_cli("casegraph", path)
    assert status == 0 and out == "Total 4 case(s), 12 step(s)\n"
