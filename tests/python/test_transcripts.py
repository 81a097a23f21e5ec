"""The command-line transcripts reached through Python: each row of
tests/data/cli-transcripts.txt (the table zerin-cli's own test runs) is carried out with
the module's calls as a script would make them, and what they return is written as
zerin-cli writes it: the exit status, the output and error streams, the files. It must
match the golden file of zerin-cli, every byte. Rows about the command line's own
parsing (help, version, bad usage) and its layouts and renderings are zerin-cli's alone."""
import os
import shlex

import pytest

import zerin
from conftest import DATA, run_cli, write_fixture

TABLE = os.path.join(DATA, "cli-transcripts.txt")
GOLDEN = os.path.join(DATA, "golden", "cli")
OWN_TO_CLI = {"layout", "render"}


def rows():
    with open(TABLE, encoding="utf-8") as f:
        for line in f:
            if not line.strip() or line.startswith("#"):
                continue
            name, _, args = line.rstrip("\n").partition("\t")
            args, _, files = args.partition(" => ")
            yield name, shlex.split(args), files.split()


class Usage(Exception):
    """A command line zerin-cli refuses before it runs: none of the module's business."""


def options(args, flags=(), values=(), repeatable=()):
    """The command line's options: {name: value, True for a flag, a list if repeated}."""
    found = {}
    it = iter(args)
    for arg in it:
        if arg in flags:
            found[arg] = True
        elif arg in values or arg in repeatable:
            value = next(it)
            found.setdefault(arg, []).append(value) if arg in repeatable else \
                found.__setitem__(arg, value)
        else:
            raise Usage(arg)
    return found


ENGINE = ("--engine", "--max-cases", "--max-memory")


def engine(opts):
    return dict(engine=opts.get("--engine", "auto"), max_cases=opts.get("--max-cases"),
                max_memory=opts.get("--max-memory"))


class Transcript:
    """What zerin-cli would write, from what the module returned."""

    def __init__(self):
        self.out, self.err = [], []

    def tell(self, message):
        self.err.append("zerin-cli: " + message)


NEEDS = ["net", "case-class", "listed-cases", "stored-graph"]
AS_GRAPH = {"listed-cases": "cases", "stored-graph": "steps"}


def ask_all(graph_or_net, net, t, asked):
    """The questions in the order of their rank, as zerin-cli asks them: each answer's
    lines; the status of the first that did not answer."""
    for question in sorted(asked, key=lambda q: q["rank"]):
        answer = graph_or_net.ask(question["id"])
        t.out += answer.lines()
        if answer.status:
            return answer.status
    return 0


def casegraph(net, t, args):
    registry = zerin._zerin.questions()
    flags = {q["flag"] for q in registry if q["command"] == "casegraph" and q["flag"]}
    files = {"--xml": "casegraph", "--graphml": "graphml", "--dot": "dot",
             "--class-xml": "caseclass"}
    opts = options(args, flags=flags, values=set(files) | set(ENGINE))
    asked = [q for q in registry if q["command"] == "casegraph" and
             (q["always"] or q["flag"] in opts)]
    needs = "stored-graph" if set(files) & set(opts) else max(
        (q["needs"] for q in asked), key=NEEDS.index)
    graph = net.case_graph(needs=AS_GRAPH.get(needs, "class"), **engine(opts))
    t.err += ["zerin-cli: " + note for note in graph.notes]
    status = ask_all(graph, net, t, asked)
    if status:
        return status
    for option in files:
        if option in opts:
            graph.export(opts[option], files[option])
    return 0


def simulate(net, t, args):
    files = {"--occurrence-xml": "occurrencenet", "--occurrence-graphml": "graphml",
             "--occurrence-dot": "dot"}
    opts = options(args, flags={"--largest"},
                   values={"--steps", "--seed", "--save"} | set(files) | set(ENGINE),
                   repeatable={"--break-at"})
    if "--steps" in opts and not opts["--steps"].isdigit():
        raise Usage(opts["--steps"])
    try:
        run = net.run(int(opts.get("--steps", 100)),
                      seed=int(opts["--seed"]) if "--seed" in opts else None,
                      largest=opts.get("--largest", False),
                      break_at=[b.split(",") for b in opts.get("--break-at", [])], **engine(opts))
    except zerin.NetError as failed:
        t.out += failed.lines
        return 1
    t.out += run.lines
    t.err += ["zerin-cli: " + note for note in run.notes]
    if set(files) & set(opts):
        occurrence = net.occurrence_net()
        for option in files:
            if option in opts:
                occurrence.export(opts[option], files[option])
    if "--save" in opts:
        net.save(opts["--save"])
    return 0


def question(net, t, command, args):
    found = [q for q in zerin._zerin.questions() if q["command"] == command and not q["flag"]
             and not q["always"]]
    if not found:
        raise Usage(command)
    asked = found[0]
    kinds = {o["name"]: o for o in asked["options"]}
    opts = options(args, flags={n for n, o in kinds.items() if not o["value_name"]},
                   values=set(ENGINE) | {n for n, o in kinds.items()
                                         if o["value_name"] and not o["repeatable"]},
                   repeatable={n for n, o in kinds.items() if o["repeatable"]})
    keywords = {n.lstrip("-").replace("-", "_"): v for n, v in opts.items() if n in kinds}
    if asked["needs"] != "net" and set(ENGINE) & set(opts):
        net.case_graph(needs=AS_GRAPH.get(asked["needs"], "class"), **engine(opts))
    answer = net.ask(asked["id"], **keywords)
    t.err += ["zerin-cli: " + note for note in answer.notes]
    t.out += answer.lines()
    return answer.status


def carry_out(argv):
    """The row's command through the module: (status, out, err) as zerin-cli writes."""
    t = Transcript()
    command, file, rest = argv[0], argv[1] if len(argv) > 1 else None, argv[2:]
    try:
        if command == "new":
            zerin.Net().save(file)
            return 0, t
        net = zerin.open(file)
        if command == "check":
            options(rest, values=set(ENGINE))
            check = net.check(**engine(options(rest, values=set(ENGINE))))
            t.out += check.lines
            return (0 if check else 1), t
        if command == "casegraph":
            return casegraph(net, t, rest), t
        if command == "simulate":
            return simulate(net, t, rest), t
        if command == "complement":
            t.out += net.complement().lines
            net.save(options(rest, values={"-o"})["-o"])
        elif command == "export":
            opts = options(rest, values={"--netdesign", "--pnml"})
            for option, format_id in (("--pnml", "pnml"), ("--netdesign", "netdesign")):
                if option in opts:
                    net.export(opts[option], format_id)
        elif command == "resave":
            net.save(rest[0])
        else:
            return question(net, t, command, rest), t
        return 0, t
    except zerin.Error as failed:
        t.out += failed.lines
        t.err += ["zerin-cli: " + note for note in failed.notes]
        t.tell(str(failed))
        return 2, t


@pytest.mark.parametrize("name,argv,files", list(rows()), ids=[r[0] for r in rows()])
def test_transcript(name, argv, files, tmp_path_factory, shared_folder):
    tmp = shared_folder
    golden = open(os.path.join(GOLDEN, name + ".txt"), encoding="utf-8").read()
    argv = [write_fixture(tmp, a[1:]) if a.startswith("@") else
            a.replace("<tmp>", tmp).replace("<data>", DATA) for a in argv]
    if not argv or argv[0].startswith("-") or argv[0] in OWN_TO_CLI or \
            "/dev/stdout" in argv or "Try 'zerin-cli --help'" in golden:
        # zerin-cli's own, which runs it: later rows may read what it wrote.
        run_cli(*argv)
        pytest.skip("zerin-cli's own")
    try:
        status, t = carry_out(argv)
    except Usage:
        pytest.skip("zerin-cli's own usage")
    text = "exit %d\n--- out\n%s--- err\n%s" % (
        status, "".join(line + "\n" for line in t.out), "".join(line + "\n" for line in t.err))
    for file in files:
        with open(os.path.join(tmp, file), encoding="utf-8", newline="") as f:
            text += "--- %s\n%s" % (file, f.read())
    assert text.replace(tmp, "<tmp>").replace(DATA, "<data>") == golden


@pytest.fixture(scope="module")
def shared_folder(tmp_path_factory):
    """One folder for every row, as zerin-cli's test has it: a row reads what an earlier
    one wrote."""
    folder = str(tmp_path_factory.mktemp("transcripts"))
    with open(os.path.join(folder, "notes.zrn"), "w") as f:
        f.write("just some words\n")
    return folder
