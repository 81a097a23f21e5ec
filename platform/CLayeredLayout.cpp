#include "platform/CLayeredLayout.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <set>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

std::vector<std::pair<double, double>>
CLayeredLayout::Layout(int nodes, const std::vector<std::pair<int, int>>& edges, bool leftToRight) {
    std::vector<std::pair<double, double>> at;
    if (nodes <= 0)
        return at;
    // One context for the process: Graphviz loads its plugins into it once.
    static GVC_t* const context = gvContext();
    if (!context)
        return at;
    char name[] = "g";
    Agraph_t* graph = agopen(name, Agdirected, nullptr);
    agattr(graph, AGRAPH, const_cast<char*>("rankdir"),
           const_cast<char*>(leftToRight ? "LR" : "TB"));
    // Nodes of one size, as the diagram draws them: a circle or box of 30 units.
    agattr(graph, AGNODE, const_cast<char*>("shape"), const_cast<char*>("circle"));
    agattr(graph, AGNODE, const_cast<char*>("fixedsize"), const_cast<char*>("true"));
    agattr(graph, AGNODE, const_cast<char*>("width"), const_cast<char*>("0.42"));
    agattr(graph, AGNODE, const_cast<char*>("label"), const_cast<char*>(""));
    std::vector<Agnode_t*> made;
    for (int i = 0; i < nodes; ++i)
        made.push_back(agnode(graph, const_cast<char*>(("n" + std::to_string(i)).c_str()), 1));
    // One edge a pair, whichever way: steps both ways between two cases lie in two
    // layers either way.
    std::set<std::pair<int, int>> seen;
    for (const auto& [from, to] : edges) {
        if (from < 0 || to < 0 || from >= nodes || to >= nodes || from == to)
            continue;
        if (!seen.insert({from, to}).second || seen.count({to, from}) != 0)
            continue;
        agedge(graph, made[static_cast<std::size_t>(from)], made[static_cast<std::size_t>(to)],
               nullptr, 1);
    }
    if (gvLayout(context, graph, "dot") == 0) {
        const double top = GD_bb(graph).UR.y;
        for (Agnode_t* node : made)
            at.emplace_back(ND_coord(node).x, top - ND_coord(node).y);
        gvFreeLayout(context, graph);
    }
    agclose(graph);
    return at;
}

namespace {

bool WriteAll(int fd, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::vector<std::pair<double, double>>
CLayeredLayout::LayoutApart(int nodes, const std::vector<std::pair<int, int>>& edges,
                            const WorkProgress& progress, bool& cancelled, bool leftToRight) {
    cancelled = false;
    // Graphviz loads its plugins here, once, before any child is made: a child then
    // only computes, and takes nothing another thread may hold at the fork.
    static std::once_flag loaded;
    std::call_once(loaded, [] { (void)Layout(2, {{0, 1}}); });
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {};
    }
    if (child == 0) {
        ::close(fds[0]);
        const std::vector<std::pair<double, double>> at = Layout(nodes, edges, leftToRight);
        const std::uint64_t count = at.size();
        const bool written = WriteAll(fds[1], &count, sizeof count) &&
                             (at.empty() || WriteAll(fds[1], at.data(), at.size() * sizeof at[0]));
        ::_exit(written ? 0 : 1);
    }
    ::close(fds[1]);
    std::string received;
    char buffer[65536];
    for (;;) {
        if (progress && !progress(0, 0)) {
            ::kill(child, SIGKILL);
            cancelled = true;
            break;
        }
        pollfd ready{fds[0], POLLIN, 0};
        const int polled = ::poll(&ready, 1, kPollMilliseconds);
        if (polled < 0 && errno != EINTR)
            break;
        if (polled <= 0)
            continue;
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    std::vector<std::pair<double, double>> at;
    std::uint64_t count = 0;
    if (cancelled || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        received.size() < sizeof count)
        return at;
    std::memcpy(&count, received.data(), sizeof count);
    if (count != static_cast<std::uint64_t>(nodes) ||
        received.size() != sizeof count + count * sizeof(std::pair<double, double>))
        return at;
    at.resize(count);
    std::memcpy(static_cast<void*>(at.data()), received.data() + sizeof count,
                count * sizeof(std::pair<double, double>));
    return at;
}
