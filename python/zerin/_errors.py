"""The exceptions of zerin: each carries zerin-cli's message for the same fault
("FILE: message"), and ``lines``, what the output panes were given before it (the lines
of a failed test)."""


class Error(Exception):
    """Anything Zerin could not do; the message is zerin-cli's for the same fault.
    lines: what the output panes were given before it; notes: what zerin-cli said on
    its error stream before the message (which engine auto tried)."""

    lines: list = []
    notes: list = []


class FileError(Error, OSError):
    """A file that cannot be read (missing, not a document, corrupt) or written."""


class NetError(Error):
    """The net is not a C/E system (or, from PNML, not a condition/event net)."""


class ArgumentError(Error, ValueError):
    """An argument the net or the question does not take: a name the net lacks, a
    step in conflict, an option's value out of its range."""


class LimitError(Error):
    """The case class passed a limit (max_cases, max_memory) or the memory."""


class EngineError(Error):
    """The engine of the case class cannot answer this (the symbolic engine lists no
    cases, what draws the steps needs them stored)."""
