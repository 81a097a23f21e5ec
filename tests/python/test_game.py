"""The token game from Python: the steps of a case as the engines count them, firing,
the simulation's refusals, and seeded runs identical to zerin-cli's."""
import random

import pytest

import zerin
from conftest import build, philosophers, run_cli, write_fixture


def random_net(seed, conditions=7, events=5):
    """A random net as tests/support draws them: each condition marked with probability
    1/2, a pre- or a postcondition of each event with probability 1/6 each."""
    rng = random.Random(seed)
    net = zerin.Net()
    names = ["k%d" % i for i in range(conditions)]
    for name in names:
        net.add_condition(name, marked=rng.random() < 0.5)
    for j in range(events):
        pre, post = [], []
        for name in names:
            draw = rng.randrange(6)
            (pre if draw == 0 else post if draw == 1 else []).append(name)
        net.add_event("t%d" % j, pre=pre, post=post)
    return net


def detached_sets(net, events):
    """Every non-empty set of the events no two of which share a condition: the steps,
    by brute force."""
    pre = {e: set() for e in events}
    post = {e: set() for e in events}
    for source, target in net.edges:
        if target in pre:
            pre[target].add(source)
        elif source in post:
            post[source].add(target)
    steps = set()
    for mask in range(1, 1 << len(events)):
        chosen = [e for i, e in enumerate(events) if mask >> i & 1]
        if all(not (pre[a] & pre[b] or post[a] & post[b])
               for i, a in enumerate(chosen) for b in chosen[i + 1:]):
            steps.add(frozenset(chosen))
    return steps


def test_the_steps_of_every_case_are_the_detached_sets_and_the_stored_graphs():
    # Few random nets are C/E systems (one in twenty-five): those of 200 seeds.
    systems = [net for net in map(random_net, range(200)) if net.check()]
    assert len(systems) >= 5
    for net in systems:
        check_steps(net)


def check_steps(net):
    graph = net.case_graph("explicit")
    for case in graph.cases():
        enabled = net.events_with_concession(case)
        steps = net.steps(case)
        listed = list(steps)
        assert len(listed) == steps.count() == len(set(listed))
        assert set(listed) == detached_sets(net, enabled)
        # The stored graph has the same steps, each to the case it leads to.
        assert sorted(map(sorted, listed)) == sorted(sorted(e) for e, _ in graph.steps(case))


def test_firing_moves_the_case_and_a_bad_step_is_refused_with_the_simulations_message():
    net = zerin.example("philosophers")
    start = net.case
    assert start == net.initial_case == net.marked
    assert net.events_with_concession() == ["take_0", "take_1", "take_2"]
    assert len(net.steps()) == 3
    after = net.fire("take_0")
    assert after == {"eat_0", "think_1", "think_2", "fork_2"} == net.case
    with pytest.raises(zerin.ArgumentError) as raised:
        net.fire("take_1")
    assert "no concession of events take_1" in str(raised.value)
    net.reset()
    with pytest.raises(zerin.ArgumentError) as raised:
        net.fire("take_0", "take_1")
    assert "conflict in conditions" in str(raised.value)
    with pytest.raises(zerin.ArgumentError):
        net.fire("nothing")
    net.case = {"eat_1", "think_0", "fork_0", "think_2"}
    assert net.events_with_concession() == ["put_1"]
    with pytest.raises(zerin.ArgumentError):
        net.set_case({"eat_0", "eat_1"})


def test_a_net_that_is_no_ce_system_has_no_token_game():
    net = build("b1* b2", [("e1", "b1", "b2"), ("e2", "b1", "b2")])
    check = net.check()
    assert not check and "Net is not C/E system" in check.lines
    with pytest.raises(zerin.NetError) as raised:
        net.case
    assert "Net is not C/E system" in raised.value.lines


@pytest.mark.parametrize("fixture,steps,seed", [("twocycles", 30, 17), ("philosophers", 12, 7),
                                                ("mutex", 40, 3), ("producer-consumer", 25, 11)])
def test_a_seeded_run_is_the_command_lines(fixture, steps, seed, tmp_path):
    path = write_fixture(str(tmp_path), fixture)
    status, out, _ = run_cli("simulate", path, "--steps", steps, "--seed", seed)
    assert status == 0
    run = zerin.open(path).run(steps, seed=seed)
    assert "\n".join(run.lines) + "\n" == out
    assert len(run) == steps
    # The same again in the same net: the seed, not what came before, decides.
    net = zerin.open(path)
    net.run(3, seed=seed + 1)
    assert net.run(steps, seed=seed).lines == run.lines


def test_a_run_stops_at_a_breakpoint_and_records_its_occurrence_net():
    net = zerin.example("philosophers")
    run = net.run(largest=True, break_at=[["eat_0", "think_1", "think_2", "fork_2"]])
    assert run.breakpoint and run.cases[-1] == {"eat_0", "think_1", "think_2", "fork_2"}
    occurrence = net.occurrence_net()
    assert len(occurrence.occurrences) == len(run)
    graph = occurrence.to_networkx()
    assert graph.number_of_nodes() == len(occurrence)
    assert {d["kind"] for _, d in graph.nodes(data=True)} == {"place", "occurrence"}
    for node, attributes in graph.nodes(data=True):
        if attributes["kind"] == "occurrence":
            assert attributes["of"] in net.events
            assert all(graph.nodes[p]["kind"] == "place" for p in graph.predecessors(node))
    with pytest.raises(zerin.ArgumentError):
        net.run(break_at=[["nothing"]])


def test_a_run_of_big_nets_counts_its_steps_as_python_integers():
    # 70 independent events: 2^70 - 1 steps, past any machine word.
    net = zerin.Net()
    for i in range(70):
        net.add_condition("a%d" % i, marked=True)
        net.add_condition("b%d" % i)
        net.add_event("f%d" % i, pre=["a%d" % i], post=["b%d" % i])
    # 2^70 cases: only the decision diagrams hold them.
    assert net.check(engine="symbolic")
    steps = net.steps()
    assert steps.count() == 2 ** 70 - 1
    assert steps[2 ** 69] and steps[-1] == frozenset("f%d" % i for i in range(70))
    with pytest.raises(IndexError):
        steps[2 ** 70]
    assert philosophers(5).steps().count() == 5 + 5
