"""The case graph from Python: every engine gives the same class, counts as Python
integers however large, cases as sets of names, classes, searches with their paths,
the registry's questions as methods, networkx."""
import pytest

import zerin
from conftest import philosophers
from test_game import random_net


@pytest.mark.parametrize("seed", range(10))
def test_the_engines_agree_on_random_nets(seed):
    net = random_net(seed, conditions=8, events=6)
    graphs = {engine: net.case_graph(engine) for engine in ("explicit", "cases", "symbolic")}
    counts = {e: (g.count(), g.count_steps(), g.count_forward(), g.contact_free)
              for e, g in graphs.items()}
    assert len(set(counts.values())) == 1, counts
    explicit, cases = graphs["explicit"], graphs["cases"]
    listed = list(explicit.cases())
    assert set(listed) == set(cases.cases()) and len(set(listed)) == explicit.count()
    assert listed[0] == explicit.initial_case == cases.case(0) == net.marked
    for case in listed:
        assert case in graphs["symbolic"]
        for forward in (True, False):
            steps = explicit.steps(case, forward)
            assert len(set(steps)) == len(steps)
            assert set(steps) == set(cases.steps(case, forward))
    classes = {frozenset(c) for c in explicit.classes()}
    assert classes == {frozenset(c) for c in cases.classes()}
    assert sum(map(len, classes)) == explicit.count()


def test_counts_are_python_integers_however_large():
    graph = philosophers(100).case_graph("symbolic")
    assert graph.engine == "symbolic"
    cases = graph.count()
    assert isinstance(cases, int) and cases > 2 ** 64
    assert graph.count_steps() > cases
    assert not graph.lists_cases
    with pytest.raises(zerin.EngineError):
        len(graph)
    with pytest.raises(zerin.EngineError):
        graph.case(0)
    with pytest.raises(zerin.EngineError):
        graph.to_networkx()
    found = graph.find(["eat_0", "eat_2", "eat_4"], path=True)
    # One step of detached events gets there.
    assert found.count > 2 ** 64 and found.path and len(found.path) == 1
    assert {"take_0", "take_2", "take_4"} <= found.path.steps[0].events
    assert {"eat_0", "eat_2", "eat_4"} <= found.path.end == found.path.steps[0].case
    assert found.path.steps[0].forward


def test_the_search_and_its_path_are_find_and_find_path():
    net = zerin.example("philosophers")
    graph = net.case_graph()
    found = graph.find("eat_0", path=True)
    assert found.count == 1 and found.cases == [{"eat_0", "think_1", "think_2", "fork_2"}]
    answer = net.find(wanted="eat_0", path=True)
    assert answer.lines() == [
        "{ eat_0, think_1, think_2, fork_2 }"] + found.path.lines
    assert graph.find("eat_0", "eat_0").count == 0
    assert graph.path_to({"eat_0", "eat_1"}) is None
    with pytest.raises(zerin.ArgumentError) as raised:
        graph.find("nothing")
    assert "no condition is named 'nothing'" in str(raised.value)


def test_a_case_reached_only_backward_has_a_backward_path():
    net = zerin.Net()
    for name in ("b1", "b2", "b3"):
        net.add_condition(name, marked=name == "b1")
    net.add_event("e1", pre="b1", post="b2")
    net.add_event("e2", pre="b3", post="b1")
    graph = net.case_graph("cases")
    assert graph.find("b3").count == 0
    found = graph.find("b3", only_reachable=False, path=True)
    assert found.count == 1 and not found.path.steps[0].forward
    assert graph.count_forward() == 2 and graph.count() == 3


def test_classes_and_their_summary():
    net = zerin.Net()
    for name in ("a", "b", "c"):
        net.add_condition(name, marked=name == "a")
    net.add_event("go", pre="a", post="b")
    net.add_event("back", pre="b", post="a")
    net.add_event("away", pre="b", post="c")
    graph = net.case_graph("cases")
    assert graph.classes() == [[{"a"}, {"b"}], [{"c"}]]
    summary = graph.class_summary()
    assert summary.counts["classes"] == 2
    assert summary.lines()[0] == "Summing up forward reachable cases classes..."


def test_every_question_of_the_registry_is_a_method_with_its_options():
    for question in zerin.questions():
        made = getattr(zerin.Net, question.method)
        assert made.__doc__ and question.id in made.__doc__
        if question.needs != "net":
            assert hasattr(zerin.CaseGraph, question.method)
    net = zerin.example("philosophers")
    assert net.deadlock().lines() == [
        "The system cannot deadlock: in every reachable case an event has concession"]
    assert net.ask("counts").counts == {"cases": 4, "steps": 6}
    with pytest.raises(zerin.ArgumentError):
        net.deadlock(nonsense=True)
    with pytest.raises(zerin.ArgumentError):
        net.ask("no-such-question")
    answer = net.properties(formula=["EF (eat_0 & eat_2)", "AG !(eat_0 & eat_1)"])
    assert [v.value for v in answer.verdicts] == [zerin._zerin.Verdict.Value.FALSE,
                                                  zerin._zerin.Verdict.Value.TRUE]


def test_a_graph_out_of_date_is_computed_again_or_refused():
    net = zerin.example("mutex")
    graph = net.case_graph("cases")
    net.fire("enter_1")
    assert graph.count() == 3
    net.add_condition("spare")
    with pytest.raises(zerin.Error):
        graph.count()


def test_limits_raise_the_command_lines_messages():
    net = zerin.example("philosophers")
    with pytest.raises(zerin.LimitError) as raised:
        net.case_graph(max_cases=3)
    assert str(raised.value).endswith(
        "not enough memory: the case graph has more than 3 cases (--max-cases)")
    with pytest.raises(zerin.ArgumentError):
        net.case_graph("fast")
    with pytest.raises(zerin.ArgumentError):
        net.case_graph(max_memory="lots")
    with pytest.raises(zerin.EngineError):
        net.case_graph("cases", needs="steps")


def test_networkx_holds_the_case_graph():
    import networkx

    net = philosophers(4)
    graph = net.case_graph("cases")
    nx = graph.to_networkx()
    assert nx.number_of_nodes() == graph.count()
    assert nx.number_of_edges() == graph.count_steps()
    assert nx.nodes["c1"]["kind"] == "initial"
    assert set(nx.nodes["c1"]["conditions"]) == set(net.initial_case)
    for source, target, attributes in list(nx.edges(data=True))[:50]:
        assert attributes["events"]
    assert networkx.is_strongly_connected(nx)


def test_pictures_for_jupyter():
    net = zerin.example("producer-consumer")
    assert net._repr_svg_().lstrip().startswith("<?xml")
    assert "<svg" in net.case_graph()._repr_svg_()
    net.run(5, seed=1)
    assert "<svg" in net.occurrence_net()._repr_svg_()
    assert philosophers(12).case_graph("cases")._repr_svg_() is None
