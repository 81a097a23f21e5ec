#pragma once

#include "document/DocFixture.h"

#include "document/CAutomaticRun.h"
#include "model/CNetStructure.h"

#include <memory>
#include <random>

// A document of a random system of rings joined by shared events (RandomSystemText) in
// simulation, its structure read from the design; false where the net is no C/E system
// (the seed is passed over).
struct RandomSystem : DocFixture {
    std::shared_ptr<const CNetStructure> structure;

    bool Make(unsigned seed) {
        std::mt19937 gen(seed);
        BuildNetFromText(NetOf(doc), RandomSystemText(gen), &dc);
        doc.Simulation().Enter();
        sink.Reset();
        structure = std::make_shared<CNetStructure>(CNetStructure::FromDesign(doc.NetDesign()));
        return doc.Simulation().IsActive();
    }
    int Fire() { return CAutomaticRun::ExecuteStepWithoutAnimation(doc); }
    // Made within a test of its own, not run as one.
    void TestBody() override {}
};
