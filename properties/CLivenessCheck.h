#pragma once

class CCheckContext;
struct CPropertyResult;

// Liveness over the complete forward graph: every event can get concession again from
// every reachable case exactly when each bottom strongly connected component (one no step
// leaves) has, for every event, a case where it has concession. FALSE comes with the
// event and a run to a case of such a component, from where the event never gets
// concession again.
class CLivenessCheck {
public:
    static void Check(CCheckContext& context, CPropertyResult& result);
};
