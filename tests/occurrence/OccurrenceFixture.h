#pragma once

#include "model/CNetDesign.h"
#include "model/CPNCondition.h"
#include "model/CPNEdge.h"
#include "model/CPNEvent.h"
#include "model/CPNLabel.h"
#include "model/CSetConditions.h"
#include "occurrence/COccurrenceNet.h"
#include "occurrence/CPNOccurrence.h"
#include "occurrence/CPNPlace.h"
#include "support/NetFamilies.h"
#include "support/RecordingDC.h"
#include "support/RecordingOutputSink.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

// A net design with named conditions and events, its structure built, and an
// occurrence net numbered from it.
struct OccurrenceFixture : ::testing::Test {
    CNetDesign net;
    COccurrenceNet record;
    RecordingDC dc;
    RecordingOutputSink sink;
    NetBuilder builder{net, &dc};

    CPNCondition* AddCondition(const std::string& name, bool token = false);
    // Conditions without token, for binding: auto [a, b] = AddConditions("a", "b").
    template <class... Names>
    std::array<CPNCondition*, sizeof...(Names)> AddConditions(const Names&... names) {
        return {AddCondition(names)...};
    }
    CPNEvent* AddEvent(const std::string& name);
    void AddEdge(CPNElement* from, CPNElement* to);
    // An event with the given pre- and post-set, edges included.
    CPNEvent* AddEvent(const std::string& name, std::initializer_list<CPNCondition*> pre,
                       std::initializer_list<CPNCondition*> post);
    // Builds the net's structure and numbers it.
    void Prepare();

    static CSetConditions Case(std::initializer_list<CPNCondition*> members);
    // Fires the events from the case and records the step; returns the new case.
    CSetConditions Fire(const CSetConditions& current, std::initializer_list<CPNEvent*> events);

    template <class T> std::vector<T*> All() const {
        std::vector<T*> result;
        for (CPNElement* e : record.m_listElements)
            if (auto* t = dynamic_cast<T*>(e))
                result.push_back(t);
        return result;
    }
};
