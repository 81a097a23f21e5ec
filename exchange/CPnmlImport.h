#pragma once

#include "exchange/CPnmlNet.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CDC;
class CNetDesign;
class CNetStructure;

// A PNML net turned into a net design: places become conditions (initial marking 1 a
// token), transitions events, arcs edges, reference nodes the nodes they refer to.
// Names come from the nodes' names; an unnamed node gets the name the document gives a
// new element, a name taken already is made unique with a number. Positions are scaled
// and moved onto the page and snapped to the grid; a net without positions (or with all
// nodes in one place) is laid out in layers. A net that is not a condition/event net is
// refused with the element and the reason, and the net design is left as it was.
class CPnmlImport {
public:
    // The name for a new condition (false) or event (true).
    using NewName = std::function<std::string(bool event)>;

    // Lays a graph out in layers (nodes by index, edges by node index): each node's
    // centre, y downwards; empty when it cannot.
    using LayeredLayout = std::function<std::vector<std::pair<double, double>>(
        int nodes, const std::vector<std::pair<int, int>>& edges)>;

    CPnmlImport(const CPnmlNet& net, int gridSize) : m_net(net), m_nGrid(gridSize) {}
    // A net without positions is drawn by this layout, where one is given, rather than in
    // breadth-first layers.
    void SetLayeredLayout(LayeredLayout layout) { m_layered = std::move(layout); }

    // Fills the empty net design; false with the reason in Error().
    bool Build(CNetDesign& design, CDC& dc, const NewName& newName);
    // The net as numbers, without drawing it: places and transitions in file order
    // (references resolved), each named by its id, as the contest's formulas name them.
    // The same checks as Build; false with the reason in Error().
    bool BuildStructure(CNetStructure& net);
    const std::string& Error() const { return m_strError; }

    // Whether the net's type names a high-level net (symmetric, coloured, ...).
    static bool IsHighLevelType(const std::string& type);
    // The number of tokens a marking or weight text stands for: "1", " 2 ", "Default,1"
    // (token class, count); nullopt when the text is none of these.
    static std::optional<unsigned long long> ParseCount(const std::string& text);

private:
    bool Fail(const std::string& message);
    // The index of the place or transition an id stands for, references followed;
    // nullopt with the reason when there is none.
    std::optional<std::size_t> Resolve(const std::string& id, std::string& why) const;
    bool Check();
    // The names' positions as offsets from their nodes. Some tools write a name's
    // position as a point of the page rather than as the offset the grammar says; the
    // file's names are read the way that puts more of them nearer their own node than
    // any other.
    void ReadNamePositions();
    // Pages drawn over one another (each drawn from the same origin) are put side by side
    // in page order, their nodes and the bends of their arcs with them.
    void SeparatePages(std::vector<CPnmlNet::Point>& bends,
                       const std::vector<std::size_t>& bendCounts);
    std::vector<CPnmlNet::Point> Place(std::vector<CPnmlNet::Point>& bends);
    // Without positions of its own (or all in one place) the nodes laid out in layers by
    // the layout given, the bends dropped.
    void LayOutWithoutPositions(std::vector<CPnmlNet::Point>& bends);
    // Layers of our own, breadth first from the marked places, where nothing is given.
    std::vector<CPnmlNet::Point> PlaceInLayers() const;

    const CPnmlNet& m_net;
    int m_nGrid;
    std::string m_strError;
    double m_scale = 1.0;
    // Per node: its position and its name's offset as the import takes them.
    std::vector<std::optional<CPnmlNet::Point>> m_positions;
    std::vector<std::optional<CPnmlNet::Point>> m_nameOffsets;
    std::map<std::string, std::size_t> m_index;
    LayeredLayout m_layered;
    // Per arc: the indexes of its source and target nodes.
    std::vector<std::pair<std::size_t, std::size_t>> m_arcEnds;
};
