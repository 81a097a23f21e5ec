#pragma once

#include <QWidget>

#include <memory>

class CFindingsHost;
class CNetStructure;
class CWitnessReplay;
class CZerinDoc;
class QLabel;
class QToolButton;
struct CRun;

// The controls of a run played in the token game, under the property list: to its start,
// one event back, one forward, play on (animated, stoppable) and to its end, with where
// the run stands. The run's way is marked in the case graph when it starts. Where the
// token game leaves the run (another step fired, the simulation left, the net edited)
// the controls say so and only Restart goes on.
class CWitnessBar : public QWidget {
    Q_OBJECT

public:
    CWitnessBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent = nullptr);
    ~CWitnessBar() override;

    // Plays the run of the net from its initial case (the token game entered first);
    // false, with the reason, where it cannot.
    bool Start(const CNetStructure& net, const CRun& run, const QString& strTitle, QString& strWhy);
    // Forgets the run.
    void Stop();
    bool IsPlaying() const { return m_pReplay != nullptr; }
    const CWitnessReplay* GetReplay() const { return m_pReplay.get(); }

    // The buttons act as clicked; false where they could not.
    bool StepForward();
    bool StepBack();
    bool ToStart();
    bool ToEnd();
    // Plays the rest animated, until its end or Stop.
    void PlayOn();

    // Looks whether the token game is still on the run; updates the controls.
    void Poll();
    // The net is now this one: a run of another net, or of elements since replaced, is
    // left.
    void NetChanged(const CNetStructure& net);

private:
    QToolButton* AddButton(const QString& strText, const QString& strTip);
    void UpdateControls();
    // The token game still stands on the run.
    bool OnTheRun() const;

    CZerinDoc& m_doc;
    CFindingsHost& m_host;
    std::unique_ptr<CWitnessReplay> m_pReplay;
    // The net the run was taken over, with the elements behind its numbers.
    std::unique_ptr<CNetStructure> m_pNet;
    QString m_strTitle;
    bool m_bPlaying = false;
    bool m_bStopPlaying = false;
    QLabel* m_pLabel;
    QToolButton* m_pStart;
    QToolButton* m_pBack;
    QToolButton* m_pForward;
    QToolButton* m_pPlay;
    QToolButton* m_pEnd;
    QToolButton* m_pClose;
};
