#include "examples/CExampleNets.h"

#include "document/CZerinDoc.h"
#include "examples/CExampleNetBuilder.h"
#include "model/CPNElement.h"

namespace {

void Philosophers(CExampleNetBuilder& b) {
    constexpr int n = 3;
    CPNCondition* think[n];
    CPNCondition* eat[n];
    CPNCondition* fork[n];
    CPNEvent* take[n];
    CPNEvent* put[n];
    for (int i = 0; i < n; ++i) {
        const int x = 200 + 240 * i;
        const std::string k = std::to_string(i);
        think[i] = b.Condition(x, 80, "think_" + k, true);
        take[i] = b.Event(x, 180, "take_" + k);
        eat[i] = b.Condition(x, 280, "eat_" + k);
        put[i] = b.Event(x, 380, "put_" + k);
        fork[i] = b.Condition(x - 120, 230, "fork_" + k, true);
    }
    for (int i = 0; i < n; ++i) {
        CPNCondition* right = fork[(i + 1) % n];
        b.Edge(think[i], take[i]);
        b.Edge(fork[i], take[i]);
        b.Edge(right, take[i]);
        b.Edge(take[i], eat[i]);
        b.Edge(eat[i], put[i]);
        b.Edge(put[i], think[i]);
        b.Edge(put[i], fork[i]);
        b.Edge(put[i], right);
    }
}

void ProducerConsumer(CExampleNetBuilder& b) {
    CPNCondition* ready = b.Condition(320, 200, "ready", true);
    CPNEvent* produce = b.Event(200, 80, "produce");
    CPNCondition* produced = b.Condition(320, 80, "produced");
    CPNEvent* deliver = b.Event(440, 80, "deliver");
    CPNCondition* empty = b.Condition(440, 200, "empty", true);
    CPNCondition* full = b.Condition(560, 200, "full");
    CPNEvent* remove = b.Event(680, 80, "remove");
    CPNCondition* received = b.Condition(800, 80, "received");
    CPNEvent* consume = b.Event(920, 80, "consume");
    CPNCondition* waiting = b.Condition(800, 200, "waiting", true);
    b.Edge(ready, produce);
    b.Edge(produce, produced);
    b.Edge(produced, deliver);
    b.Edge(deliver, ready);
    b.Edge(empty, deliver);
    b.Edge(deliver, full);
    b.Edge(full, remove);
    b.Edge(remove, empty);
    b.Edge(waiting, remove);
    b.Edge(remove, received);
    b.Edge(received, consume);
    b.Edge(consume, waiting);
}

void Mutex(CExampleNetBuilder& b) {
    CPNCondition* idle1 = b.Condition(80, 80, "idle_1", true);
    CPNEvent* enter1 = b.Event(80, 180, "enter_1");
    CPNCondition* critical1 = b.Condition(80, 280, "critical_1");
    CPNEvent* leave1 = b.Event(80, 380, "leave_1");
    CPNCondition* free = b.Condition(240, 230, "free", true);
    CPNCondition* idle2 = b.Condition(400, 80, "idle_2", true);
    CPNEvent* enter2 = b.Event(400, 180, "enter_2");
    CPNCondition* critical2 = b.Condition(400, 280, "critical_2");
    CPNEvent* leave2 = b.Event(400, 380, "leave_2");
    b.Edge(idle1, enter1);
    b.Edge(free, enter1);
    b.Edge(enter1, critical1);
    b.Edge(critical1, leave1);
    b.Edge(leave1, idle1);
    b.Edge(leave1, free);
    b.Edge(idle2, enter2);
    b.Edge(free, enter2);
    b.Edge(enter2, critical2);
    b.Edge(critical2, leave2);
    b.Edge(leave2, idle2);
    b.Edge(leave2, free);
}

} // namespace

std::vector<std::string> CExampleNets::Names() {
    return {"philosophers", "producer-consumer", "mutex"};
}

std::string CExampleNets::Describe(const std::string& name) {
    if (name == "philosophers")
        return "Three dining philosophers sharing three forks: concurrency and conflict.";
    if (name == "producer-consumer")
        return "A producer and a consumer around a buffer of one place.";
    if (name == "mutex")
        return "Two processes taking turns in a critical section.";
    return std::string();
}

bool CExampleNets::Build(const std::string& name, CZerinDoc& doc, CDC& dc) {
    void (*build)(CExampleNetBuilder&) = name == "philosophers"        ? Philosophers
                                         : name == "producer-consumer" ? ProducerConsumer
                                         : name == "mutex"             ? Mutex
                                                                       : nullptr;
    if (!build)
        return false;
    doc.BuildNet([&](CNetDesign& net) {
        CExampleNetBuilder b(net, dc);
        build(b);
        b.PlaceNames();
        // A page around the drawing rather than the editor's default sheet.
        CRect bounds;
        for (const CPNElement* element : net.m_listElements)
            bounds |= element->GetBoundRect();
        net.m_sizeNet = CSize(bounds.right + 60, bounds.bottom + 60);
    });
    return true;
}
