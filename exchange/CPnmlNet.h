#pragma once

#include <optional>
#include <string>
#include <vector>

// One net of a PNML file as its reader found it, before anything is checked: the
// nodes and arcs of all its pages in document order, with their labels as written.
// Reference nodes keep the id they refer to; ids are those of the net's own scope.
class CPnmlNet {
public:
    struct Point {
        double x = 0;
        double y = 0;
    };
    enum class NodeKind { Place, Transition, ReferencePlace, ReferenceTransition };
    struct Node {
        NodeKind kind = NodeKind::Place;
        std::string id;
        // The id a reference node refers to.
        std::string ref;
        std::optional<std::string> name;
        // The text of the initial marking as written ("1", "Default,1").
        std::optional<std::string> marking;
        std::optional<Point> position;
        std::optional<Point> nameOffset;
        // The page it is drawn on, pages numbered from 1 in file order; 0 for none.
        int page = 0;
        // Where the element starts in the file, for messages.
        long long line = 0;
    };
    struct Arc {
        std::string id;
        std::string source;
        std::string target;
        std::vector<Point> bends;
        // The text of the inscription (the weight) as written.
        std::optional<std::string> inscription;
        // The arc kind given by a type attribute or element ("inhibitor", "reset",
        // "normal"); empty when none is given.
        std::string kind;
        int page = 0;
        long long line = 0;
    };

    std::string id;
    std::string type;
    // Labels of high-level nets were met (a sort, a high-level marking or inscription).
    bool highLevel = false;
    std::vector<Node> nodes;
    std::vector<Arc> arcs;
};
