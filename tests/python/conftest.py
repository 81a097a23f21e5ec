"""What the tests of the Python module share: zerin-cli to compare with, the test data,
and the command-line tests' fixtures built through the module."""
import os
import subprocess

import pytest

import zerin

DATA = os.environ.get("ZERIN_TEST_DATA",
                      os.path.join(os.path.dirname(__file__), "..", "data"))
CLI = os.environ.get("ZERIN_CLI", "zerin-cli")


def run_cli(*args):
    """zerin-cli with the arguments, without a display: (status, out, err)."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    done = subprocess.run([CLI, *map(str, args)], capture_output=True, text=True, env=env,
                          timeout=300)
    return done.returncode, done.stdout, done.stderr


# The nets of tests/cli/CliFixtures.cpp, as a script builds them: conditions (a "*" for
# a token), then events with their pre- and postconditions.
FIXTURES = {
    "cycle": ("b1* b2", [("e1", "b1", "b2"), ("e2", "b2", "b1")]),
    "twocycles": ("a1* a2 b1* b2", [("f1", "a1", "a2"), ("f2", "a2", "a1"),
                                    ("g1", "b1", "b2"), ("g2", "b2", "b1")]),
    "oneway": ("b1* b2", [("e1", "b1", "b2")]),
    "backward": ("b1* b2 b3", [("e1", "b1", "b2"), ("e2", "b3", "b1")]),
    "contact": ("b1* b2* b3", [("e1", "b1", "b3"), ("e2", "b2", "b3")]),
}


def build(conditions, events):
    """A net from "a* b" and [(event, pre, post)], each set of names as "x y"."""
    net = zerin.Net()
    for name in conditions.split():
        net.add_condition(name.rstrip("*"), marked=name.endswith("*"))
    for name, pre, post in events:
        net.add_event(name, pre=pre.split(), post=post.split())
    return net


def write_fixture(folder, name):
    """The fixture of the name (or the example net) saved into the folder; its path."""
    net = zerin.example(name) if name in zerin.examples() else build(*FIXTURES[name])
    path = os.path.join(folder, name + ".zrn")
    net.save(path)
    return path


@pytest.fixture
def data():
    return DATA


def philosophers(n):
    """n dining philosophers as tests/support builds them: think_i (marked), eat_i,
    fork_i (marked); take_i from think_i and the forks i, i+1 to eat_i; put_i back."""
    net = zerin.Net()
    for i in range(n):
        net.add_condition("think_%d" % i, marked=True)
        net.add_condition("eat_%d" % i)
        net.add_condition("fork_%d" % i, marked=True)
    for i in range(n):
        forks = ["fork_%d" % i, "fork_%d" % ((i + 1) % n)]
        net.add_event("take_%d" % i, pre=["think_%d" % i] + forks, post=["eat_%d" % i])
        net.add_event("put_%d" % i, pre=["eat_%d" % i], post=["think_%d" % i] + forks)
    return net
