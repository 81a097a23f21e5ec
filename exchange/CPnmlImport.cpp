#include "exchange/CPnmlImport.h"

#include "base/FormatString.h"
#include "base/UniqueName.h"
#include "model/CNetDesign.h"
#include "model/CNetStructure.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <deque>
#include <map>
#include <set>

namespace {

using Kind = CPnmlNet::NodeKind;
using Point = CPnmlNet::Point;

// Nodes closer than this (in the file's units) are spread out to kSpread.
constexpr double kCrowded = 40;
constexpr double kSpread = 60;
// Nodes whose centres are closer than this in both directions overlap.
constexpr double kApart = 30;
// The margin between the page's edge and the nearest node after a move.
constexpr int kMargin = 40;
// The largest page the import makes.
constexpr double kMaxExtent = 30000;

// The cell of a coordinate divided by the cell size: files may give coordinates far
// past what a cell number holds, which then all fall into the outermost cells.
long long CellIndex(double v) {
    constexpr double kLimit = 1e12;
    return static_cast<long long>(std::floor(std::clamp(v, -kLimit, kLimit)));
}

bool IsPlace(Kind kind) {
    return kind == Kind::Place || kind == Kind::ReferencePlace;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string At(long long line) {
    return line > 0 ? "line " + std::to_string(line) + ": " : std::string();
}

std::string KindName(Kind kind) {
    switch (kind) {
    case Kind::Place:
        return "place";
    case Kind::Transition:
        return "transition";
    case Kind::ReferencePlace:
        return "reference place";
    case Kind::ReferenceTransition:
        return "reference transition";
    }
    return "node";
}

bool IsDrawn(Kind kind) {
    return kind == Kind::Place || kind == Kind::Transition;
}

double Distance2(const Point& a, const Point& b) {
    return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
}

// The smallest distance between two distinct positions.
double NearestDistance(std::vector<Point> points) {
    std::sort(points.begin(), points.end(), [](const Point& a, const Point& b) {
        return a.x < b.x || (a.x == b.x && a.y < b.y);
    });
    double best = HUGE_VAL;
    for (std::size_t i = 0; i < points.size(); ++i)
        for (std::size_t j = i + 1; j < points.size() && points[j].x - points[i].x < best; ++j) {
            const double d = std::hypot(points[j].x - points[i].x, points[j].y - points[i].y);
            if (d > 0)
                best = std::min(best, d);
        }
    return best;
}

} // namespace

bool CPnmlImport::IsHighLevelType(const std::string& type) {
    const std::string t = Lower(type);
    for (const char* word : {"symmetric", "highlevel", "hlpn", "coloured", "colored", "pt-hlpng"})
        if (t.find(word) != std::string::npos)
            return true;
    return false;
}

std::optional<unsigned long long> CPnmlImport::ParseCount(const std::string& text) {
    const std::string t = Trim(text);
    if (t.empty())
        return 0ULL;
    auto number = [](const std::string& digits) -> std::optional<unsigned long long> {
        if (digits.empty())
            return std::nullopt;
        unsigned long long value = 0;
        for (char c : digits) {
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return std::nullopt;
            value = std::min(value * 10 + static_cast<unsigned>(c - '0'), 1ULL << 62);
        }
        return value;
    };
    if (t.find(',') == std::string::npos)
        return number(t);
    // "class,count[,class,count...]", as older files write markings and weights.
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = t.find(',', start);
        parts.push_back(Trim(t.substr(start, comma == std::string::npos ? comma : comma - start)));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    if (!parts.empty() && parts.back().empty())
        parts.pop_back();
    if (parts.size() % 2 != 0)
        return std::nullopt;
    unsigned long long sum = 0;
    for (std::size_t i = 1; i < parts.size(); i += 2) {
        const auto count = number(parts[i]);
        if (!count)
            return std::nullopt;
        sum = std::min(sum + *count, 1ULL << 62);
    }
    return sum;
}

bool CPnmlImport::Fail(const std::string& message) {
    m_strError = message;
    return false;
}

std::optional<std::size_t> CPnmlImport::Resolve(const std::string& id, std::string& why) const {
    std::set<std::string> seen;
    std::string current = id;
    for (;;) {
        const auto found = m_index.find(current);
        if (found == m_index.end()) {
            why = "'" + current + "' is not a node of the net";
            return std::nullopt;
        }
        const CPnmlNet::Node& node = m_net.nodes[found->second];
        if (node.kind == Kind::Place || node.kind == Kind::Transition)
            return found->second;
        if (!seen.insert(current).second) {
            why = "the references from '" + id + "' come back to '" + current + "' (a cycle)";
            return std::nullopt;
        }
        if (node.ref.empty()) {
            why = "the " + KindName(node.kind) + " '" + node.id + "' refers to nothing";
            return std::nullopt;
        }
        current = node.ref;
    }
}

bool CPnmlImport::Check() {
    if (m_net.highLevel || IsHighLevelType(m_net.type))
        return Fail("the net '" + m_net.id + "' is a high-level net" +
                    (m_net.type.empty() ? std::string() : " (" + m_net.type + ")") +
                    ", not a condition/event net");
    m_index.clear();
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i)
        if (!m_index.emplace(m_net.nodes[i].id, i).second)
            return Fail(At(m_net.nodes[i].line) + "the id '" + m_net.nodes[i].id +
                        "' is given to two nodes");
    std::string why;
    for (const CPnmlNet::Node& node : m_net.nodes) {
        if (node.kind == Kind::ReferencePlace || node.kind == Kind::ReferenceTransition) {
            const auto resolved = Resolve(node.id, why);
            if (!resolved)
                return Fail(At(node.line) + "the " + KindName(node.kind) + " '" + node.id +
                            "' does not resolve: " + why);
            const std::size_t target = *resolved;
            if (IsPlace(node.kind) != IsPlace(m_net.nodes[target].kind))
                return Fail(At(node.line) + "the " + KindName(node.kind) + " '" + node.id +
                            "' refers to the " + KindName(m_net.nodes[target].kind) + " '" +
                            m_net.nodes[target].id + "'");
        }
        if (node.kind != Kind::Place || !node.marking)
            continue;
        const auto tokens = ParseCount(*node.marking);
        if (!tokens)
            return Fail(At(node.line) + "the initial marking '" + Trim(*node.marking) +
                        "' of place '" + node.id + "' is not a number of tokens");
        if (*tokens > 1)
            return Fail(At(node.line) + "place '" + node.id + "' starts with " +
                        std::to_string(*tokens) +
                        " tokens; a condition/event net has at most one token on a place "
                        "(initial marking above 1)");
    }
    std::set<std::pair<std::size_t, std::size_t>> joined;
    for (const CPnmlNet::Arc& arc : m_net.arcs) {
        const std::string kind = Lower(Trim(arc.kind));
        if (!kind.empty() && kind != "normal" && kind != "regular")
            return Fail(At(arc.line) + "arc '" + arc.id + "' is " +
                        (kind == "inhibitor" || kind == "reset" ? "an " + kind + " arc"
                                                                : "an arc of kind '" + kind + "'") +
                        ", which a condition/event net does not have");
        if (arc.inscription) {
            const auto weight = ParseCount(*arc.inscription);
            if (!weight)
                return Fail(At(arc.line) + "the inscription '" + Trim(*arc.inscription) +
                            "' of arc '" + arc.id + "' is not a weight");
            if (*weight > 1)
                return Fail(At(arc.line) + "arc '" + arc.id + "' has the weight " +
                            std::to_string(*weight) +
                            "; a condition/event net has only arcs of weight 1");
        }
        const auto source = Resolve(arc.source, why);
        if (!source)
            return Fail(At(arc.line) + "the source of arc '" + arc.id +
                        "' does not resolve: " + why);
        const auto target = Resolve(arc.target, why);
        if (!target)
            return Fail(At(arc.line) + "the target of arc '" + arc.id +
                        "' does not resolve: " + why);
        const std::size_t from = *source, to = *target;
        const Kind a = m_net.nodes[from].kind, b = m_net.nodes[to].kind;
        if (IsPlace(a) == IsPlace(b))
            return Fail(At(arc.line) + "arc '" + arc.id + "' joins two " +
                        (IsPlace(a) ? "places" : "transitions") + ", '" + m_net.nodes[from].id +
                        "' and '" + m_net.nodes[to].id + "'");
        if (!joined.insert({from, to}).second)
            return Fail(At(arc.line) + "arc '" + arc.id + "' joins '" + m_net.nodes[from].id +
                        "' to '" + m_net.nodes[to].id +
                        "' a second time; a condition/event net has only arcs of weight 1");
        m_arcEnds.emplace_back(from, to);
    }
    // A transition with a place both before and after it can never occur: it would need
    // the place marked and unmarked at once.
    for (const auto& [from, to] : m_arcEnds)
        if (IsPlace(m_net.nodes[from].kind) && joined.count({to, from}) != 0) {
            const CPnmlNet::Node& transition = m_net.nodes[to];
            return Fail(At(transition.line) + "transition '" + transition.id + "' has place '" +
                        m_net.nodes[from].id +
                        "' both before and after it (a self-loop); a condition/event net never "
                        "fires such a transition");
        }
    return true;
}

bool CPnmlImport::BuildStructure(CNetStructure& net) {
    m_strError.clear();
    m_arcEnds.clear();
    if (!Check())
        return false;
    net = CNetStructure();
    std::vector<int> number(m_net.nodes.size(), -1);
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i) {
        const CPnmlNet::Node& node = m_net.nodes[i];
        if (node.kind == Kind::Place)
            number[i] = net.AddCondition(node.id, node.marking && ParseCount(*node.marking) == 1);
        else if (node.kind == Kind::Transition)
            number[i] = net.AddEvent(node.id);
    }
    // The ends of the arcs are the places and transitions the references resolve to.
    for (const auto& [from, to] : m_arcEnds) {
        if (IsPlace(m_net.nodes[from].kind))
            net.AddPre(number[to], number[from]);
        else
            net.AddPost(number[from], number[to]);
    }
    return true;
}

void CPnmlImport::ReadNamePositions() {
    const std::size_t n = m_net.nodes.size();
    std::vector<std::size_t> drawn;
    for (std::size_t i = 0; i < n; ++i)
        if (IsDrawn(m_net.nodes[i].kind) && m_positions[i])
            drawn.push_back(i);
    // Whether no other node lies nearer the point than node i.
    auto nearestIsOwn = [&](std::size_t i, const Point& p) {
        const double own = Distance2(p, *m_positions[i]);
        return std::none_of(drawn.begin(), drawn.end(), [&](std::size_t j) {
            return j != i && Distance2(p, *m_positions[j]) < own;
        });
    };
    // A sample of the names decides for the file: enough to tell, few enough to stay
    // quick on nets of thousands of nodes.
    constexpr std::size_t kVoters = 200;
    std::size_t voters = 0;
    int relative = 0, absolute = 0;
    for (std::size_t i : drawn) {
        if (!m_nameOffsets[i])
            continue;
        const Point& o = *m_nameOffsets[i];
        const Point& at = *m_positions[i];
        relative += nearestIsOwn(i, Point{at.x + o.x, at.y + o.y}) ? 1 : 0;
        absolute += nearestIsOwn(i, o) ? 1 : 0;
        if (++voters == kVoters)
            break;
    }
    if (absolute <= relative)
        return;
    for (std::size_t i : drawn)
        if (m_nameOffsets[i])
            m_nameOffsets[i] = Point{m_nameOffsets[i]->x - m_positions[i]->x,
                                     m_nameOffsets[i]->y - m_positions[i]->y};
}

void CPnmlImport::SeparatePages(std::vector<Point>& bends,
                                const std::vector<std::size_t>& bendCounts) {
    struct Box {
        double left = HUGE_VAL, top = HUGE_VAL, right = -HUGE_VAL, bottom = -HUGE_VAL;
    };
    std::map<int, Box> pages;
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i) {
        if (!IsDrawn(m_net.nodes[i].kind) || !m_positions[i])
            continue;
        Box& box = pages[m_net.nodes[i].page];
        const Point& p = *m_positions[i];
        box = {std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
               std::max(box.bottom, p.y)};
    }
    bool overlap = false;
    for (auto a = pages.begin(); a != pages.end() && !overlap; ++a)
        for (auto b = std::next(a); b != pages.end() && !overlap; ++b)
            overlap = a->second.left <= b->second.right && b->second.left <= a->second.right &&
                      a->second.top <= b->second.bottom && b->second.top <= a->second.bottom;
    if (!overlap)
        return;
    // Side by side from the first page's left edge, a gap of the nodes' own spacing (at
    // least kSpread) between two pages.
    std::vector<Point> all;
    for (const auto& p : m_positions)
        if (p)
            all.push_back(*p);
    const double nearest = NearestDistance(all);
    const double gap = std::max(kSpread, nearest == HUGE_VAL ? kSpread : 2 * nearest);
    std::map<int, double> shift;
    double cursor = pages.begin()->second.left;
    for (const auto& [page, box] : pages) {
        shift[page] = cursor - box.left;
        cursor += box.right - box.left + gap;
    }
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i)
        if (m_positions[i] && shift.count(m_net.nodes[i].page) != 0)
            m_positions[i]->x += shift[m_net.nodes[i].page];
    std::size_t next = 0;
    for (std::size_t a = 0; a < m_net.arcs.size(); ++a) {
        const auto it = shift.find(m_net.arcs[a].page);
        for (std::size_t k = 0; k < bendCounts[a]; ++k)
            if (it != shift.end())
                bends[next + k].x += it->second;
        next += bendCounts[a];
    }
}

void CPnmlImport::LayOutWithoutPositions(std::vector<Point>& bends) {
    const std::size_t n = m_net.nodes.size();
    std::vector<Point> own;
    for (std::size_t i = 0; i < n; ++i)
        if (IsDrawn(m_net.nodes[i].kind) && m_positions[i])
            own.push_back(*m_positions[i]);
    std::size_t drawnCount = 0;
    for (const CPnmlNet::Node& node : m_net.nodes)
        drawnCount += IsDrawn(node.kind) ? 1 : 0;
    if (drawnCount > 0 &&
        (own.size() != drawnCount || (drawnCount > 1 && NearestDistance(own) == HUGE_VAL))) {
        std::vector<int> index(n, -1);
        int count = 0;
        for (std::size_t i = 0; i < n; ++i)
            if (IsDrawn(m_net.nodes[i].kind))
                index[i] = count++;
        std::vector<std::pair<int, int>> edges;
        for (const auto& [from, to] : m_arcEnds)
            edges.emplace_back(index[from], index[to]);
        const auto laid = m_layered(count, edges);
        if (static_cast<int>(laid.size()) == count) {
            // Graphviz's points, spread to the diagram's spacing.
            for (std::size_t i = 0; i < n; ++i)
                if (index[i] >= 0)
                    m_positions[i] = Point{laid[static_cast<std::size_t>(index[i])].first * 1.5,
                                           laid[static_cast<std::size_t>(index[i])].second * 1.5};
            bends.clear();
        }
    }
}

std::vector<Point> CPnmlImport::PlaceInLayers() const {
    const std::size_t n = m_net.nodes.size();
    std::vector<Point> at(n);
    // Layers: the marked places (else the nodes without inputs, else the first
    // node) first, then what their arcs reach, breadth first; a part not reached
    // starts again at its first node.
    std::vector<int> layer(n, -1);
    std::vector<std::vector<std::size_t>> next(n);
    std::vector<int> inputs(n, 0);
    for (const auto& [from, to] : m_arcEnds) {
        next[from].push_back(to);
        ++inputs[to];
    }
    std::deque<std::size_t> queue;
    auto start = [&](std::size_t i) {
        if (layer[i] < 0) {
            layer[i] = 0;
            queue.push_back(i);
        }
    };
    for (std::size_t i = 0; i < n; ++i) {
        const CPnmlNet::Node& node = m_net.nodes[i];
        if (node.kind == Kind::Place && node.marking && ParseCount(*node.marking).value_or(0) == 1)
            start(i);
    }
    if (queue.empty())
        for (std::size_t i = 0; i < n; ++i)
            if (inputs[i] == 0 &&
                (m_net.nodes[i].kind == Kind::Place || m_net.nodes[i].kind == Kind::Transition))
                start(i);
    for (std::size_t seed = 0; seed < n; ++seed) {
        if (m_net.nodes[seed].kind != Kind::Place && m_net.nodes[seed].kind != Kind::Transition)
            continue;
        start(seed);
        while (!queue.empty()) {
            const std::size_t i = queue.front();
            queue.pop_front();
            for (std::size_t j : next[i])
                if (layer[j] < 0) {
                    layer[j] = layer[i] + 1;
                    queue.push_back(j);
                }
        }
    }
    std::map<int, int> rows;
    for (std::size_t i = 0; i < n; ++i)
        if (layer[i] >= 0) {
            const int row = rows[layer[i]]++;
            at[i] = {kSpread + 100.0 * layer[i], kSpread + 80.0 * row};
        }
    return at;
}

std::vector<Point> CPnmlImport::Place(std::vector<Point>& bends) {
    // The positions of the places and transitions; references have none of their own.
    const std::size_t n = m_net.nodes.size();
    std::vector<Point> at(n);
    // Without positions of its own (or all in one place) the net is drawn in layers by the
    // layout given, and placed then as a drawing of the file would be.
    if (m_layered)
        LayOutWithoutPositions(bends);
    std::vector<Point> given;
    for (std::size_t i = 0; i < n; ++i)
        if (IsDrawn(m_net.nodes[i].kind) && m_positions[i])
            given.push_back(*m_positions[i]);
    std::size_t real = 0;
    for (const CPnmlNet::Node& node : m_net.nodes)
        real += node.kind == Kind::Place || node.kind == Kind::Transition ? 1 : 0;
    const double nearest = NearestDistance(given);
    const bool useGiven = real > 0 && given.size() == real && (real == 1 || nearest != HUGE_VAL);
    if (!useGiven) {
        bends.clear();
        return PlaceInLayers();
    }
    // Spread a crowded drawing, keep it on the page, and snap what moved to the grid.
    double scale = nearest < kCrowded ? kSpread / nearest : 1.0;
    double minX = HUGE_VAL, minY = HUGE_VAL, maxX = -HUGE_VAL, maxY = -HUGE_VAL;
    for (const Point& p : given) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    const double extent = std::max(maxX - minX, maxY - minY);
    if (extent * scale > kMaxExtent)
        scale = std::max(1e-6, kMaxExtent / std::max(extent, 1.0));
    const double shiftX = minX * scale < kMargin / 2 ? kMargin - minX * scale : 0;
    const double shiftY = minY * scale < kMargin / 2 ? kMargin - minY * scale : 0;
    const bool moved = scale != 1.0 || shiftX != 0 || shiftY != 0;
    const int g = m_nGrid > 0 ? m_nGrid : 1;
    auto map = [&](const Point& p) {
        Point q{p.x * scale + shiftX, p.y * scale + shiftY};
        if (moved || q.x != std::floor(q.x) || q.y != std::floor(q.y)) {
            q.x = std::floor((std::round(q.x) + g / 2) / g) * g;
            q.y = std::floor((std::round(q.y) + g / 2) / g) * g;
        }
        return q;
    };
    // The nodes placed so far by cells of kApart units: a node closer than that to
    // another in both directions would overlap it.
    std::map<std::pair<long long, long long>, std::vector<Point>> taken;
    auto cellOf = [](double v) { return CellIndex(v / kApart); };
    auto overlaps = [&](const Point& q) {
        for (long long cx = cellOf(q.x) - 1; cx <= cellOf(q.x) + 1; ++cx)
            for (long long cy = cellOf(q.y) - 1; cy <= cellOf(q.y) + 1; ++cy) {
                const auto it = taken.find({cx, cy});
                if (it != taken.end())
                    for (const Point& p : it->second)
                        if (std::abs(p.x - q.x) < kApart && std::abs(p.y - q.y) < kApart)
                            return true;
            }
        return false;
    };
    for (std::size_t i = 0; i < n; ++i) {
        const CPnmlNet::Node& node = m_net.nodes[i];
        if (!m_positions[i] || !IsDrawn(node.kind))
            continue;
        Point q = map(*m_positions[i]);
        // Nodes the file draws on one another (or the snapping put there): the later one
        // moves right until it lies apart, with room for its name.
        while (overlaps(q))
            q.x += std::ceil(kSpread / g) * g;
        taken[{cellOf(q.x), cellOf(q.y)}].push_back(q);
        at[i] = q;
    }
    for (Point& bend : bends)
        bend = map(bend);
    m_scale = scale;
    return at;
}

bool CPnmlImport::Build(CNetDesign& design, CDC& dc, const NewName& newName) {
    m_strError.clear();
    m_arcEnds.clear();
    if (!Check())
        return false;
    std::vector<Point> bends;
    std::vector<std::size_t> bendCounts;
    for (const CPnmlNet::Arc& arc : m_net.arcs) {
        bends.insert(bends.end(), arc.bends.begin(), arc.bends.end());
        bendCounts.push_back(arc.bends.size());
    }
    m_scale = 1.0;
    m_positions.clear();
    m_nameOffsets.clear();
    for (const CPnmlNet::Node& node : m_net.nodes) {
        m_positions.push_back(node.position);
        m_nameOffsets.push_back(node.nameOffset);
    }
    ReadNamePositions();
    SeparatePages(bends, bendCounts);
    const std::vector<Point> at = Place(bends);
    // Where the nodes lie, by cells of kNear units, to find the node nearest a name.
    constexpr double kNear = 100;
    std::map<std::pair<long long, long long>, std::vector<std::size_t>> cells;
    auto cellOf = [](double v) { return CellIndex(v / kNear); };
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i)
        if (IsDrawn(m_net.nodes[i].kind))
            cells[{cellOf(at[i].x), cellOf(at[i].y)}].push_back(i);
    // A name at p is read as the file says only where no other node lies nearer to it.
    auto nearestIsOwn = [&](std::size_t i, const Point& p) {
        const double own = Distance2(p, at[i]);
        const double reach = std::ceil(std::sqrt(own) / kNear);
        // A name far from its node: every node is asked rather than every cell between.
        constexpr double kMostCells = 32;
        if (!(reach <= kMostCells)) {
            for (std::size_t j = 0; j < at.size(); ++j)
                if (j != i && IsDrawn(m_net.nodes[j].kind) && Distance2(p, at[j]) < own)
                    return false;
            return true;
        }
        const auto r = static_cast<long long>(reach);
        for (long long cx = cellOf(p.x) - r; cx <= cellOf(p.x) + r; ++cx)
            for (long long cy = cellOf(p.y) - r; cy <= cellOf(p.y) + r; ++cy) {
                const auto it = cells.find({cx, cy});
                if (it == cells.end())
                    continue;
                for (std::size_t j : it->second)
                    if (j != i && Distance2(p, at[j]) < own)
                        return false;
            }
        return true;
    };

    // The names the file gives, so that a generated name never takes one.
    std::set<std::string> fileNames;
    for (const CPnmlNet::Node& node : m_net.nodes)
        if ((node.kind == Kind::Place || node.kind == Kind::Transition) && node.name)
            fileNames.insert(Trim(*node.name));
    std::set<std::string> used;

    std::vector<CPNElement*> elements(m_net.nodes.size(), nullptr);
    int right = 0, bottom = 0;
    for (std::size_t i = 0; i < m_net.nodes.size(); ++i) {
        const CPnmlNet::Node& node = m_net.nodes[i];
        if (node.kind != Kind::Place && node.kind != Kind::Transition)
            continue;
        const bool event = node.kind == Kind::Transition;
        std::string name = node.name ? Trim(*node.name) : std::string();
        if (name.empty()) {
            do
                name = newName(event);
            while (fileNames.count(name) != 0 || used.count(name) != 0);
        }
        auto* label = new CPNLabel();
        const int x = static_cast<int>(std::lround(at[i].x));
        const int y = static_cast<int>(std::lround(at[i].y));
        CPNElement* element = nullptr;
        if (event)
            element = new CPNEvent(x, y, label);
        else {
            auto* condition = new CPNCondition(x, y, label);
            condition->m_bToken = node.marking && ParseCount(*node.marking).value_or(0) == 1;
            element = condition;
        }
        label->m_pOwner = element;
        label->SetText(TakeUniqueName(used, name), dc);
        if (const auto& offset = m_nameOffsets[i];
            offset && m_positions[i] && std::abs(offset->x) <= 200 && std::abs(offset->y) <= 200) {
            const CPoint name(x + static_cast<int>(std::lround(offset->x * m_scale)),
                              y + static_cast<int>(std::lround(offset->y * m_scale)));
            if (nearestIsOwn(i, Point{static_cast<double>(name.x), static_cast<double>(name.y)}))
                label->MoveTo(name);
        }
        // A name nearer another node than its own, or on its node, goes above, below,
        // left or right of its node, clear of it, wherever it is nearest its own.
        auto ownIsNearest = [&](CPoint p) {
            return nearestIsOwn(i, Point{static_cast<double>(p.x), static_cast<double>(p.y)});
        };
        CRect overlap;
        if (!ownIsNearest(label->m_ptPos) ||
            overlap.IntersectRect(label->m_rcText, element->GetBoundRect())) {
            const CRect node = element->GetBoundRect();
            constexpr int kGap = 3;
            const int dy = node.Height() / 2 + kGap + (label->m_rcText.Height() + 1) / 2;
            const int dx = node.Width() / 2 + kGap + (label->m_rcText.Width() + 1) / 2;
            // Where no side is nearest its own (a crowded page) it stays.
            for (const CSize side : {CSize(0, -dy), CSize(0, dy), CSize(-dx, 0), CSize(dx, 0)})
                if (ownIsNearest(element->m_ptPos + side)) {
                    label->MoveTo(element->m_ptPos + side);
                    break;
                }
        }
        // New elements, and no edge twice (checked above): appended without the net's
        // search for duplicates, which would make a large import quadratic.
        design.m_listElements.push_back(element);
        design.m_listElements.push_back(label);
        elements[i] = element;
        right = std::max(right, x + 60);
        bottom = std::max(bottom, y + 60);
    }
    std::size_t nextBend = 0;
    for (std::size_t a = 0; a < m_arcEnds.size(); ++a) {
        auto* edge = new CPNEdge(elements[m_arcEnds[a].first], elements[m_arcEnds[a].second]);
        if (!bends.empty() && bendCounts[a] > 0) {
            std::vector<CPoint> points;
            for (std::size_t k = 0; k < bendCounts[a]; ++k) {
                const Point& p = bends[nextBend + k];
                points.emplace_back(static_cast<int>(std::lround(p.x)),
                                    static_cast<int>(std::lround(p.y)));
                right = std::max(right, points.back().x + 60);
                bottom = std::max(bottom, points.back().y + 60);
            }
            edge->SetBendPoints(points);
        }
        nextBend += bendCounts[a];
        design.m_listElements.push_back(edge);
    }
    design.RecalcSize(right, bottom);
    return true;
}
