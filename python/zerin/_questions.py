"""The questions of Zerin's registry as methods: one per question, made when the module
is imported, so that a question added to the core is a method here with no code of its
own."""

import inspect

from zerin import _zerin


class Question:
    """A question of the registry: its id, what it needs (the net alone, its case
    class, its cases one by one or the stored graph of every step) and its options
    (by their keyword names)."""

    def __init__(self, data):
        self.id = data["id"]
        self.needs = data["needs"]
        self.help = data["help"]
        self.menu = data["menu"]
        self.options = {keyword(o["name"]): o for o in data["options"]}

    @property
    def method(self):
        """The name of its method on a Net (and a CaseGraph where it needs the class)."""
        return self.id.replace("-", "_")

    def __repr__(self):
        return "Question(%r)" % self.id


def keyword(option):
    """--time-limit -> time_limit."""
    return option.lstrip("-").replace("-", "_")


def arguments(question, options):
    """The keyword arguments as the registry takes them: {"--wanted": ["a,b"]}."""
    args = {}
    for name, value in options.items():
        option = question.options.get(name)
        if option is None:
            from zerin._errors import ArgumentError
            known = ", ".join(sorted(question.options)) or "none"
            raise ArgumentError("%s takes no option %s (it takes %s)" % (question.id, name, known))
        if value is None or value is False:
            continue
        if not option["value_name"]:
            args[option["name"]] = [""]
        elif option["repeatable"] and isinstance(value, (list, tuple)):
            args[option["name"]] = [text(v) for v in value]
        else:
            args[option["name"]] = [text(value)]
    return args


def text(value):
    """A value as the command line writes it: names joined by commas."""
    if isinstance(value, (list, tuple, set, frozenset)):
        return ",".join(str(v) for v in value)
    return str(value)


def make_method(question):
    def ask(self, **options):
        return self.ask(question.id, **options)

    parameters = [inspect.Parameter("self", inspect.Parameter.POSITIONAL_OR_KEYWORD)]
    lines = []
    for name, option in question.options.items():
        default = False if not option["value_name"] else None
        parameters.append(inspect.Parameter(name, inspect.Parameter.KEYWORD_ONLY,
                                            default=default))
        value = option["value_name"] or "flag"
        lines.append("    %s (%s%s): %s" % (name, value, ", repeatable" if option["repeatable"]
                                             else "", option["help"]))
    ask.__signature__ = inspect.Signature(parameters)
    ask.__name__ = question.method
    ask.__qualname__ = question.method
    ask.__doc__ = ("The question %r of the registry: %s.\nThe same as ask(%r, ...); returns "
                   "an Answer.%s" % (question.id, question.help or question.menu, question.id,
                                     "\nOptions:\n" + "\n".join(lines) if lines else ""))
    return ask


def add_question_methods(net_class, graph_class):
    """Every question as a method of the net, and of the case graph where it needs the
    case class; a name the class has already is left to its own method."""
    for data in _zerin.questions():
        question = Question(data)
        targets = [net_class] + ([graph_class] if question.needs != "net" else [])
        for target in targets:
            if not hasattr(target, question.method):
                setattr(target, question.method, make_method(question))
