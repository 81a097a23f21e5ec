#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CNetDesign;
class CPNCondition;
class CPNEvent;

// A net as numbers: conditions 0..C-1 and events 0..E-1, each event's pre- and post-set
// as sorted condition numbers, and the initial case. What the analyses of the net's
// structure and of its cases read, whether the net was drawn (a net design) or read from
// a file without drawing it (a contest model): the names are the design's names, or the
// ids of the file the net came from.
//
// A structure made from a net design numbers its conditions by serial number (the order
// the element sets keep) and its events in drawing order (the order the case graph's
// steps list them in), and remembers which element each number stands for.
class CNetStructure {
public:
    CNetStructure() = default;

    // Every condition and event of the design, the pre- and post-sets read from its
    // edges (the design's own sets are left alone), the conditions holding a token as
    // the initial case.
    static CNetStructure FromDesign(const CNetDesign& design);

    // Building one by hand (a reader, a test): adds a condition or an event and returns
    // its number; an edge joins a condition and an event in either direction.
    int AddCondition(std::string name, bool token = false);
    int AddEvent(std::string name);
    void AddPre(int event, int condition);
    void AddPost(int event, int condition);

    std::size_t ConditionCount() const { return m_conditionNames.size(); }
    std::size_t EventCount() const { return m_eventNames.size(); }
    const std::string& ConditionName(int c) const { return m_conditionNames[Index(c)]; }
    const std::string& EventName(int e) const { return m_eventNames[Index(e)]; }
    // Sorted condition numbers.
    const std::vector<int>& Pre(int e) const { return m_pre[Index(e)]; }
    const std::vector<int>& Post(int e) const { return m_post[Index(e)]; }
    // The events before the condition (their post-set holds it) and after it (their
    // pre-set holds it), sorted.
    const std::vector<int>& PreEvents(int c) const { return m_preEvents[Index(c)]; }
    const std::vector<int>& PostEvents(int c) const { return m_postEvents[Index(c)]; }
    // Whether the condition holds a token in the initial case.
    bool Initial(int c) const { return m_initial[Index(c)]; }
    void SetInitial(int c, bool token) { m_initial[Index(c)] = token; }
    // The conditions holding a token in the initial case, sorted.
    std::vector<int> InitialCase() const;

    // The number of the condition or event with the name; -1 for none.
    int FindCondition(const std::string& name) const;
    int FindEvent(const std::string& name) const;

    // The design's elements behind the numbers; empty for a structure built otherwise.
    const std::vector<CPNCondition*>& Conditions() const { return m_conditions; }
    const std::vector<CPNEvent*>& Events() const { return m_events; }

private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    static void InsertSorted(std::vector<int>& list, int value);

    std::vector<std::string> m_conditionNames;
    std::vector<std::string> m_eventNames;
    std::vector<bool> m_initial;
    std::vector<std::vector<int>> m_pre;
    std::vector<std::vector<int>> m_post;
    std::vector<std::vector<int>> m_preEvents;
    std::vector<std::vector<int>> m_postEvents;
    std::vector<CPNCondition*> m_conditions;
    std::vector<CPNEvent*> m_events;
};
