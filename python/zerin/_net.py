"""The net, its case graph and its occurrence net, over the core's document."""

from zerin import _zerin
from zerin._errors import ArgumentError, EngineError, Error
from zerin._questions import Question, arguments

NET, CASE_GRAPH, OCCURRENCE = _zerin.NET_DESIGN, _zerin.CASE_GRAPH, _zerin.OCCURRENCE_NET
# A case graph larger than this shows itself in Jupyter by its text, not its picture.
PICTURE_CASES = 400


def names(given):
    """A condition's or an event's name, or an iterable of them, as a list."""
    if isinstance(given, str):
        return [given]
    return [str(name) for name in given]


def limits(engine, max_cases, max_memory):
    return _zerin.engine_options(str(engine), None if max_cases is None else int(max_cases),
                                 None if max_memory is None else str(max_memory))


class Answer:
    """The answer to a question of the registry, as data: its parts in order (Line,
    Verdict, Count, Cases, Run, Table of zerin._zerin, each with its pane), and the
    lines zerin-cli writes of it. status is zerin-cli's exit status: 0 answered, 1
    nothing found (a search without a case)."""

    def __init__(self, question, data, notes=()):
        self.question = question
        self.parts = [part for _, part in data.parts]
        self.panes = [pane for pane, _ in data.parts]
        self.status = data.status
        #: What zerin-cli says of it on its error stream (which engine auto took).
        self.notes = list(notes)

    def lines(self):
        """The lines zerin-cli writes of the answer, in order."""
        return [line for part in self.parts for line in _zerin.part_lines(part)]

    def _of(self, kind):
        return [part for part in self.parts if isinstance(part, kind)]

    @property
    def verdicts(self):
        """The verdicts: each with its id, value (Verdict.Value), number, techniques."""
        return self._of(_zerin.Verdict)

    @property
    def counts(self):
        """The counts by their names, as Python integers however large."""
        return {part.name: int(part.value) for part in self._of(_zerin.Count)}

    @property
    def cases(self):
        """The parts that list cases."""
        return self._of(_zerin.Cases)

    @property
    def runs(self):
        """The runs that show the answers (witnesses, counterexamples, ways)."""
        return self._of(_zerin.Run)

    @property
    def tables(self):
        """The tables (invariants, siphons): heading, columns, rows."""
        return self._of(_zerin.Table)

    def __str__(self):
        return "\n".join(self.lines())

    def __repr__(self):
        return "<Answer to %s: %d part(s)>" % (self.question, len(self.parts))


class Check:
    """The test of a net as a C/E system: ce_system, contact_free and the lines
    zerin-cli check writes. True where the net is a C/E system."""

    def __init__(self, data):
        self.ce_system = data.ce_system
        self.contact_free = data.contact_free
        self.lines = list(data.lines)

    def __bool__(self):
        return self.ce_system

    def __str__(self):
        return "\n".join(self.lines)

    def __repr__(self):
        return "<Check: %s>" % ("a C/E system" if self.ce_system else "not a C/E system")


class Complement:
    """The complement conditions added to a net: added (how many; int() gives it) and
    the lines zerin-cli complement writes."""

    def __init__(self, added, lines):
        self.added = added
        self.lines = list(lines)

    def __int__(self):
        return self.added

    def __str__(self):
        return "\n".join(self.lines)


class Run:
    """An automatic run: the lines zerin-cli simulate writes, each step fired with the
    case after it, and whether it stopped at a breakpoint."""

    def __init__(self, data):
        self.lines = list(data.lines)
        self.steps = [(frozenset(events), frozenset(case)) for events, case in data.steps]
        self.breakpoint = data.breakpoint
        #: What zerin-cli says on its error stream: breakpoints never reached.
        self.notes = list(data.notes)

    @property
    def cases(self):
        """The case after each step."""
        return [case for _, case in self.steps]

    def __len__(self):
        return len(self.steps)

    def __str__(self):
        return "\n".join(self.lines)


class Step:
    """A step of a way through the case class: its events, whether it fires them
    forward (or undoes them), the case it leads to."""

    def __init__(self, events, forward, case):
        self.events = frozenset(events)
        self.forward = forward
        self.case = frozenset(case)

    def __repr__(self):
        return "Step(%s%s -> %s)" % ("" if self.forward else "backward ",
                                     sorted(self.events), sorted(self.case))


class Path:
    """The shortest way from the initial case to a case: forward steps where they
    reach it, else forward and backward ones; lines as "Show Path" writes them."""

    def __init__(self, data):
        self.start = frozenset(data.start)
        self.end = frozenset(data.end)
        self.found = data.found
        self.steps = [Step(*step) for step in data.steps]
        self.lines = list(data.lines)

    def __len__(self):
        return len(self.steps)

    def __bool__(self):
        return self.found

    def __str__(self):
        return "\n".join(self.lines)


class Found:
    """What a search for cases found: count (all of them, however many) and the first
    cases in the order of their texts; path, the shortest way to the first, where it
    was asked for."""

    def __init__(self, count, cases, path=None):
        self.count = count
        self.cases = cases
        self.path = path

    def __bool__(self):
        return self.count > 0

    def __repr__(self):
        return "<Found %d case(s)>" % self.count


class Steps:
    """The steps of a case, produced on demand in the order the case graph lists
    them: len() or count() (however many), an index, or iteration one by one."""

    def __init__(self, net, case):
        self._net = net
        self._case = None if case is None else names(case)

    def count(self):
        """How many steps there are, as a Python integer."""
        return int(self._net._call("count_steps", self._case))

    def __len__(self):
        return self.count()

    def __getitem__(self, k):
        count = self.count()
        if k < 0:
            k += count
        if not 0 <= k < count:
            raise IndexError("the case has %d step(s)" % count)
        return frozenset(self._net._call("step_at", self._case, str(k)))

    def __iter__(self):
        k = 0
        count = self.count()
        while k < count:
            yield frozenset(self._net._call("step_at", self._case, str(k)))
            k += 1


def networkx_graph(data, multigraph, node_kinds, member_key, arc_key):
    import networkx

    graph = networkx.MultiDiGraph() if multigraph else networkx.DiGraph()
    for name, members, kind in zip(data.names, data.members, data.kinds):
        graph.add_node(name, **{"kind": node_kinds[kind], member_key: members})
    for source, target, events in data.arcs:
        attributes = {arc_key: frozenset(data.event_sets[events])} if events >= 0 else {}
        graph.add_edge(data.names[source], data.names[target], **attributes)
    return graph


class Net:
    """A condition/event net in a document of its own, as Zerin edits and analyses it.

    Build one in code (Net(), add_condition, add_event, add_edge) or open a file
    (zerin.open); test it (check), complement it, play the token game (case, steps,
    fire, run, occurrence_net), compute its case graph (case_graph), ask it every
    question of the registry (ask, and one method per question), save and export it.
    Names stand for conditions and events; a case is a frozenset of condition names.
    """

    def __init__(self):
        self._doc = _zerin.Document()

    def _open(self, path, net):
        self._doc.open(path, net)

    def _call(self, method, *args):
        return getattr(self._doc, method)(*args)

    # --- The document. ---

    @property
    def path(self):
        """The file the net was opened from or saved to ("" for none)."""
        return self._doc.path()

    @property
    def title(self):
        """The document's title: its file name without ".zrn", "Untitled" for a new one."""
        return self._doc.title()

    @property
    def modified(self):
        """Whether the document changed since it was opened or saved."""
        return self._doc.is_modified()

    def save(self, path=None):
        """Saves the document (to its own file where no path is given); a file that
        cannot be written raises FileError and leaves the old one as it was."""
        target = str(path) if path is not None else self.path
        if not target:
            raise ArgumentError("%s: the document has no file yet: save(path)" % self.title)
        self._doc.save(target)

    def export(self, path, format=None, *, standalone=False):  # noqa: A002
        """Writes the net design in the format of the id (zerin.formats(): "svg",
        "png", "pdf", "tikz", "pnml", "netdesign", ...) or of the path's extension;
        standalone makes a TikZ picture a LaTeX document that compiles on its own."""
        self._doc.export(str(path), format or "", NET, standalone)

    def to_svg(self):
        """The net design as an SVG picture."""
        return self._doc.export_bytes("svg", NET).decode("utf-8")

    def _repr_svg_(self):
        """The picture Jupyter shows: the net design as SVG."""
        return self.to_svg()

    def __repr__(self):
        return "<zerin.Net %r: %d conditions, %d events>" % (
            self.title, len(self.conditions), len(self.events))

    # --- The net. ---

    @property
    def conditions(self):
        """The names of the conditions, in the net's order."""
        return self._doc.conditions()

    @property
    def events(self):
        """The names of the events, in the net's order (the order of the steps)."""
        return self._doc.events()

    @property
    def edges(self):
        """The edges as (source, target) names, from a condition to an event or back."""
        return self._doc.edges()

    @property
    def marked(self):
        """The conditions that hold a token as drawn: the initial case."""
        return frozenset(self._doc.marked())

    def add_condition(self, name=None, *, marked=False, at=None):
        """Adds a condition (named b1, b2, ... where no name is given), with a token
        where marked, at the point (x, y) or spread over a grid; returns its name."""
        return self._doc.add_condition(name or "", marked, None if at is None else tuple(at))

    def add_event(self, name=None, *, pre=(), post=(), at=None):
        """Adds an event (named e1, e2, ... where no name is given) with edges from its
        preconditions and to its postconditions; returns its name."""
        return self._doc.add_event(name or "", names(pre), names(post),
                                   None if at is None else tuple(at))

    def add_edge(self, source, target):
        """Adds an edge from a condition to an event or from an event to a condition."""
        self._doc.add_edge(source, target)

    def set_marked(self, condition, marked=True):
        """Puts a token on the condition, or takes it away."""
        self._doc.set_marked(condition, marked)

    # --- The test and the complement. ---

    def check(self, *, engine="auto", max_cases=None, max_memory=None):
        """Tests the net for the C/E system requirements as zerin-cli check does
        (its case class computed by the engine): a Check with the same lines."""
        return Check(self._doc.check(limits(engine, max_cases, max_memory)))

    def complement(self):
        """Adds the complement conditions as zerin-cli complement does: a Complement
        with how many were added and the lines it writes."""
        return Complement(*self._doc.complement())

    # --- The token game. ---

    @property
    def case(self):
        """The current case of the token game (it starts at the initial case; the net
        is tested first, and must be a C/E system: NetError otherwise)."""
        return frozenset(self._doc.current_case())

    @case.setter
    def case(self, case):
        self.set_case(case)

    @property
    def initial_case(self):
        """The initial case of the token game."""
        return frozenset(self._doc.initial_case())

    def events_with_concession(self, case=None):
        """The events with concession in the case (the current one by default)."""
        return self._doc.events_with_concession(None if case is None else names(case))

    def steps(self, case=None):
        """The steps of the case (the current one by default): every set of events
        with concession no two of which share a condition, produced on demand."""
        return Steps(self, case)

    def fire(self, *events):
        """Fires the events (names, or one iterable of them) as one step of the
        current case; returns the case after it. A step in conflict or without
        concession raises ArgumentError with the simulation's message."""
        if len(events) == 1 and not isinstance(events[0], str):
            events = tuple(events[0])
        return frozenset(self._doc.fire(names(events)))

    def reset(self):
        """Back to the initial case; the occurrence net starts again."""
        self._doc.reset()

    def set_case(self, case):
        """Makes the case (condition names) the current one."""
        self._doc.set_case(names(case))

    def run(self, steps=100, *, seed=None, largest=False, break_at=(), engine="auto",
            max_cases=None, max_memory=None):
        """The automatic run as zerin-cli simulate makes it: the net tested, then at
        most ``steps`` steps, each drawn at random (reproducibly with a seed) or the
        first of the largest, until none is possible or a case of break_at (each a
        set of condition names) is reached. Returns a Run with the same lines."""
        cases = [names(case) for case in break_at]
        return Run(self._doc.run(int(steps), seed, largest, cases,
                                 limits(engine, max_cases, max_memory)))

    def occurrence_net(self):
        """The occurrence net recorded since the token game began (or was reset)."""
        return OccurrenceNet(self)

    # --- The case graph and the questions. ---

    def case_graph(self, engine="auto", *, needs="class", max_cases=None, max_memory=None):
        """The case class of the net (every case reachable by forward and backward
        steps) computed by the engine: "explicit" (every case and step stored),
        "cases" (the cases, their steps on demand), "symbolic" (decision diagrams)
        or "auto" (the first that fits what it needs: "steps" stored for pictures
        and the exports of the graph, "cases" one by one, or the "class" alone).
        Past a limit (max_cases, max_memory as "512M") it raises LimitError; an
        engine that cannot serve the needs, EngineError."""
        kinds = {"class": _zerin.NEEDS_CLASS, "cases": _zerin.NEEDS_CASES,
                 "steps": _zerin.NEEDS_STEPS}
        if needs not in kinds:
            raise ArgumentError("needs takes class, cases or steps, not '%s'" % needs)
        return CaseGraph(self, engine, limits(engine, max_cases, max_memory), kinds[needs])

    def ask(self, question, **options):
        """Asks the question of the registry (zerin.questions()) by its id, with its
        options as keywords (wanted="eat_0", witness=True); its case class is the
        one there, or computed as it needs. Returns an Answer; what it cannot answer
        raises Error with zerin-cli's message."""
        return self._ask(question, options, None)

    def _ask(self, question, options, stamp):
        found = {q["id"]: q for q in _zerin.questions()}
        if question not in found:
            raise ArgumentError("no question is named '%s'" % question)
        data = self._doc.ask(question, arguments(Question(found[question]), options), stamp)
        answer = Answer(question, data, self._doc.take_notices())
        if data.status == 2:
            failed = Error("%s: %s" % (self._doc.file(), data.error))
            failed.lines = answer.lines()
            raise failed
        return answer


class CaseGraph:
    """The case class of a net computed by one engine: its counts as Python integers,
    its cases (as frozensets of condition names) where the engine lists them, the
    steps of each case on demand, searches and shortest paths, classes, every question
    that needs the class, exports and networkx. The net computes it again when the
    token game or another case graph took its place; an edit of the net leaves it out
    of date (Error)."""

    def __init__(self, net, engine, options, needs):
        self._net = net
        self._options = options
        self._needs = needs
        self._revision = net._doc.revision()
        self.engine, notices = net._doc.compute_case_class(options, needs)
        self._stamp = net._doc.case_class_stamp()
        #: What auto said of its choice ("engine: cases (...)"), as zerin-cli says it.
        self.notes = list(notices)

    def _doc(self):
        doc = self._net._doc
        if doc.case_class_stamp() != self._stamp:
            if doc.revision() != self._revision:
                raise Error("%s: the net changed since its case graph was computed" % doc.file())
            doc.compute_case_class(self._options, self._needs)
            self._stamp = doc.case_class_stamp()
        return doc

    def _call(self, method, *args):
        doc = self._doc()
        return getattr(doc, method)(self._stamp, *args)

    def count(self):
        """The number of cases, as a Python integer however large."""
        return int(self._call("count", "cases"))

    def count_steps(self):
        """The number of steps."""
        return int(self._call("count", "steps"))

    def count_forward(self):
        """The number of cases the initial case reaches by forward steps."""
        return int(self._call("count", "forward"))

    @property
    def contact_free(self):
        """No case of the class holds a contact situation of any event."""
        return self._call("contact_free")

    @property
    def lists_cases(self):
        """Whether the engine keeps the cases one by one (explicit and cases do)."""
        return self._call("lists_cases")

    def __len__(self):
        if not self.lists_cases:
            raise EngineError("the symbolic engine does not list its cases: count()")
        return self._call("case_count")

    def case(self, index):
        """The case of the index (0 the initial case) where the cases are listed."""
        return frozenset(self._call("case_of", int(index)))

    def cases(self):
        """Every case, one by one, in the order of the stored graph."""
        for index in range(len(self)):
            yield self.case(index)

    __iter__ = cases

    def index(self, case):
        """The index of the case, None for a case outside the class."""
        found = self._call("index_of", names(case))
        return None if found < 0 else found

    def __contains__(self, case):
        wanted = names(case)
        others = [c for c in self._net.conditions if c not in set(wanted)]
        count, _ = self._call("find", wanted, others, False, 0)
        return int(count) > 0

    @property
    def initial_case(self):
        """The case the class is computed from."""
        return self._net.marked if not self.lists_cases else self.case(0)

    def steps(self, case, forward=True):
        """The steps of the case (forward, or backward ones) as (events, case after)."""
        index = self.index(case)
        if index is None:
            raise ArgumentError("the case %s is not in the case class" % sorted(names(case)))
        return [(frozenset(events), self.case(target))
                for events, target in self._call("steps_of", index, forward)]

    def find(self, wanted=(), unwanted=(), *, only_reachable=True, limit=10, path=False):
        """The cases holding every wanted and no unwanted condition (those reached
        forward only, unless only_reachable is false): their number, the first
        ``limit`` of them and, with path, the shortest way to the first."""
        count, cases = self._call("find", names(wanted), names(unwanted), only_reachable,
                                  int(limit) if path is False else max(int(limit), 1))
        cases = [frozenset(case) for case in cases]
        way = self.path_to(cases[0]) if path and cases else None
        return Found(int(count), cases[:limit], way)

    def path_to(self, case):
        """The shortest way from the initial case to the case (Path), None for a case
        outside the class."""
        data = self._call("path_to", names(case))
        return None if data is None else Path(data)

    def classes(self):
        """The forward-reachable classes (cases that reach the same cases), each a
        list of cases, in the order of their first cases."""
        return [[self.case(i) for i in members] for members in self._call("classes")]

    def class_summary(self):
        """How many classes there are and the largest, without listing them: the
        Answer of the question "class-summary" (counts["classes"], lines())."""
        return self.ask("class-summary")

    def ask(self, question, **options):
        """Asks the question of this case class (see Net.ask)."""
        self._doc()
        return self._net._ask(question, options, self._stamp)

    def export(self, path, format=None):  # noqa: A002
        """Writes the case graph in the format of the id or the path's extension
        ("graphml", "dot", "casegraph", "caseclass", the pictures); needs the stored
        graph (engine "explicit", or "auto" where it fits)."""
        self._doc().lay_out_case_graph(self._stamp)
        self._net._doc.export(str(path), format or "", CASE_GRAPH, False)

    def to_svg(self):
        """The case graph laid out as the view first shows it, as an SVG picture."""
        self._doc().lay_out_case_graph(self._stamp)
        return self._net._doc.export_bytes("svg", CASE_GRAPH).decode("utf-8")

    def _repr_svg_(self):
        """The picture Jupyter shows: the case graph as SVG, where its engine stores
        it and it has at most a few hundred cases (None otherwise: its text)."""
        if not self.lists_cases or len(self) > PICTURE_CASES:
            return None
        try:
            return self.to_svg()
        except EngineError:
            return None

    def to_networkx(self):
        """The case graph as a networkx MultiDiGraph: nodes c1, c2, ... (c1 the initial
        case) with their conditions, one arc per step with its events."""
        return networkx_graph(self._call("case_graph"), True, ["case", "initial"],
                              "conditions", "events")

    def __repr__(self):
        return "<zerin.CaseGraph of %r by %s: %d case(s)>" % (self._net.title, self.engine,
                                                            self.count())


class OccurrenceNet:
    """The occurrence net of the token game's run: places (holdings of conditions)
    and occurrences (of events), as recorded; exports and networkx. A system that is
    not contact-free records none."""

    def __init__(self, net):
        self._net = net
        self._data = net._doc.occurrence_net()

    @property
    def places(self):
        """The places as (name, condition)."""
        return [(n, m[0]) for n, m, k in zip(self._data.names, self._data.members,
                                             self._data.kinds) if k == 0]

    @property
    def occurrences(self):
        """The occurrences as (name, event)."""
        return [(n, m[0]) for n, m, k in zip(self._data.names, self._data.members,
                                             self._data.kinds) if k == 1]

    def export(self, path, format=None):  # noqa: A002
        """Writes the occurrence net in the format of the id or the path's extension
        ("occurrencenet", "graphml", "dot", the pictures)."""
        if not self._net._doc.is_contact_free():
            raise Error("%s: the system is not contact-free, it has no occurrence net to "
                        "export" % self._net._doc.file())
        self._net._doc.export(str(path), format or "", OCCURRENCE, False)

    def to_svg(self):
        """The occurrence net laid out in columns, as an SVG picture."""
        return self._net._doc.export_bytes("svg", OCCURRENCE).decode("utf-8")

    def _repr_svg_(self):
        """The picture Jupyter shows: the occurrence net as SVG."""
        return self.to_svg()

    def to_networkx(self):
        """The occurrence net as a networkx DiGraph: places (kind "place", with their
        condition) and occurrences (kind "occurrence", with their event)."""
        graph = networkx_graph(self._data, False, ["place", "occurrence"], "of", "events")
        for _, attributes in graph.nodes(data=True):
            attributes["of"] = attributes["of"][0]
        return graph

    def __len__(self):
        return len(self._data.names)
