#pragma once

#include "engines/CCaseRun.h"
#include "model/CSetConditions.h"
#include "properties/CRun.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CNetStructure;
class CPNEvent;
class CZerinDoc;

// A run that shows a property's answer (a path, a lasso with its loop, a path to a
// deadlock) played in the document's token game: from the initial case one event at a
// time, forward and back. The occurrence net records the run as far as it stands: a
// step forward is fired as the token game fires one (and recorded by it), a step back
// plays the run again from the initial case without a word in the panes. A lasso goes
// on round its loop for as long as the user steps forward.
//
// The run is taken over the net's elements when it is made: the net given must be the
// one it was found on (SameNet), its elements the document's.
class CWitnessReplay {
public:
    CWitnessReplay(CZerinDoc& doc, const CNetStructure& net, const CRun& run);

    // Every number of the run names an element of the net, and the run starts in the
    // initial case.
    bool Fits() const { return m_bFits; }
    // The events of the run, not counting a loop's second round.
    std::size_t Length() const { return m_arrEvents.size(); }
    bool IsLasso() const { return m_bLasso; }
    std::size_t LoopStart() const { return m_nLoopStart; }
    bool EndsInDeadlock() const { return m_bDeadlock; }
    // The events fired from the initial case; past Length() on a lasso gone round again.
    std::size_t Position() const { return m_nPosition; }
    bool CanForward() const { return m_bFits && (m_bLasso || m_nPosition < Length()); }
    bool CanBack() const { return m_bFits && m_nPosition > 0; }

    // The event of the kth step (from 0) and the case after k events; past the end of a
    // lasso, round its loop.
    CPNEvent* EventAt(std::size_t k) const;
    const CSetConditions& CaseAfter(std::size_t k) const;

    // The token game in the initial case, the occurrence net recording from there;
    // false outside the simulation or where the run does not fit.
    bool Begin();
    // The next event selected and fired by fire (the view's animated step, or
    // CAutomaticRun::ExecuteStepWithoutAnimation); false where the run is at its end, the
    // event has no concession or the case reached is not the run's.
    bool Forward(const std::function<int()>& fire);
    // One event back; false at the start.
    bool Back();
    // The token game at the kth case of the run (round the loop past its end), fired
    // there from the initial case without a word in the panes; false where it fails.
    bool GoTo(std::size_t k);

    // The run as a way through the case class from the initial case, every step one
    // event forward; the loop of a lasso is steps LoopStart() ... Length() - 1.
    CCaseRun AsCaseRun() const;
    // Marks the run in the drawn case graph, the loop in its own colour, the steps it
    // takes drawn where they are not; returns the drawn cases of the run in order, none
    // (and nothing marked) where a case of it is not drawn (a class kept as decision
    // diagrams).
    std::vector<std::uint32_t> MarkInCaseGraph() const;
    // Where the replay stands, as the simulation pane says it: "Witness: step 3 of 7,
    // case { a, b }", with the loop or the deadlock where it has reached them.
    std::string Describe() const;

private:
    // Fires the event silently from the current case; false without concession.
    bool FireQuietly(std::size_t k);
    // The run's index of the kth event (or case after k events) round the loop.
    std::size_t Wrapped(std::size_t k) const;

    CZerinDoc& m_doc;
    std::vector<CPNEvent*> m_arrEvents;
    std::vector<CSetConditions> m_arrCases;
    bool m_bFits = true;
    bool m_bLasso = false;
    bool m_bDeadlock = false;
    std::size_t m_nLoopStart = 0;
    std::size_t m_nPosition = 0;
};
