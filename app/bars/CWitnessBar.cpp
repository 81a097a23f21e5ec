#include "app/bars/CWitnessBar.h"

#include "app/bars/CFindingsHost.h"
#include "base/OutputWriter.h"
#include "document/CAutomaticRun.h"
#include "document/CZerinDoc.h"
#include "findings/CWitnessReplay.h"
#include "findings/SameNet.h"
#include "model/CNetStructure.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QToolButton>

CWitnessBar::CWitnessBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent)
    : QWidget(pParent), m_doc(doc), m_host(host), m_pLabel(new QLabel(this)) {
    setObjectName(QStringLiteral("WitnessBar"));
    auto* pLayout = new QHBoxLayout(this);
    pLayout->setContentsMargins(0, 0, 0, 0);
    m_pStart = AddButton(QStringLiteral("|\u25C0"), QStringLiteral("To the run's start"));
    m_pBack = AddButton(QStringLiteral("\u25C0"), QStringLiteral("One event back"));
    m_pForward = AddButton(QStringLiteral("\u25B6"), QStringLiteral("One event forward"));
    m_pPlay = AddButton(QStringLiteral("\u25B6\u25B6"), QStringLiteral("Play on to the end"));
    m_pEnd = AddButton(QStringLiteral("\u25B6|"), QStringLiteral("To the run's end"));
    m_pClose = AddButton(QStringLiteral("\u2715"), QStringLiteral("Leave the run"));
    connect(m_pStart, &QToolButton::clicked, this, [this] { ToStart(); });
    connect(m_pBack, &QToolButton::clicked, this, [this] { StepBack(); });
    connect(m_pForward, &QToolButton::clicked, this, [this] { StepForward(); });
    connect(m_pPlay, &QToolButton::clicked, this, [this] {
        if (m_bPlaying)
            m_bStopPlaying = true;
        else
            PlayOn();
    });
    connect(m_pEnd, &QToolButton::clicked, this, [this] { ToEnd(); });
    connect(m_pClose, &QToolButton::clicked, this, [this] { Stop(); });
    m_pLabel->setAccessibleName(QStringLiteral("Witness position"));
    m_pLabel->setWordWrap(true);
    pLayout->addWidget(m_pLabel, 1);
    hide();
}

CWitnessBar::~CWitnessBar() = default;

QToolButton* CWitnessBar::AddButton(const QString& strText, const QString& strTip) {
    auto* pButton = new QToolButton(this);
    pButton->setText(strText);
    pButton->setToolTip(strTip);
    pButton->setAccessibleName(strTip);
    layout()->addWidget(pButton);
    return pButton;
}

bool CWitnessBar::Start(const CNetStructure& net, const CRun& run, const QString& strTitle,
                        QString& strWhy) {
    Stop();
    if (m_host.IsTokenGameBusy()) {
        strWhy = QStringLiteral("The token game is busy: stop it first.");
        return false;
    }
    if (!m_host.EnterSimulation()) {
        strWhy = QStringLiteral("The run is played in the token game, which the net did not "
                                "enter.");
        return false;
    }
    auto replay = std::make_unique<CWitnessReplay>(m_doc, net, run);
    if (!replay->Fits() || !replay->Begin()) {
        strWhy = QStringLiteral("The run does not fit the net as it is now.");
        return false;
    }
    m_pReplay = std::move(replay);
    m_pNet = std::make_unique<CNetStructure>(net);
    m_strTitle = strTitle;
    m_host.ShowNetDesign();
    WriteOutput(PANE_SIMULATION, "Playing the run of " + strTitle.toStdString());
    const std::vector<std::uint32_t> cases = m_pReplay->MarkInCaseGraph();
    m_host.ShowRunInCaseGraph(cases, m_pReplay->IsLasso() ? m_pReplay->LoopStart() : SIZE_MAX);
    // Showing a part of the graph may have shown it once already: the marks stay for the
    // next showing.
    m_pReplay->MarkInCaseGraph();
    WriteOutput(PANE_SIMULATION, m_pReplay->Describe());
    show();
    UpdateControls();
    m_host.DocumentChanged();
    return true;
}

void CWitnessBar::Stop() {
    m_bStopPlaying = true;
    if (!m_pReplay)
        return;
    m_pReplay.reset();
    m_pNet.reset();
    m_host.ShowRunInCaseGraph({}, 0);
    hide();
}

bool CWitnessBar::OnTheRun() const {
    return m_pReplay && m_doc.Simulation().IsActive() &&
           m_doc.Simulation().CurrentCase().IsEqual(m_pReplay->CaseAfter(m_pReplay->Position()));
}

bool CWitnessBar::StepForward() {
    if (!OnTheRun() || m_host.IsTokenGameBusy() || !m_pReplay->CanForward())
        return false;
    QPointer<CWitnessBar> guard(this);
    const bool done = m_pReplay->Forward([this] { return m_host.FireSelectedStep(); });
    if (!guard)
        return false;
    if (done) {
        m_pReplay->MarkInCaseGraph();
        WriteOutput(PANE_SIMULATION, m_pReplay->Describe());
    }
    UpdateControls();
    m_host.DocumentChanged();
    return done;
}

bool CWitnessBar::StepBack() {
    if (!m_pReplay || m_host.IsTokenGameBusy() || !m_pReplay->CanBack())
        return false;
    const bool done = m_pReplay->Back();
    m_pReplay->MarkInCaseGraph();
    UpdateControls();
    m_host.DocumentChanged();
    return done;
}

bool CWitnessBar::ToStart() {
    if (!m_pReplay || m_host.IsTokenGameBusy())
        return false;
    const bool done = m_pReplay->GoTo(0);
    m_pReplay->MarkInCaseGraph();
    UpdateControls();
    m_host.DocumentChanged();
    return done;
}

bool CWitnessBar::ToEnd() {
    if (!m_pReplay || m_host.IsTokenGameBusy())
        return false;
    const bool done = m_pReplay->GoTo(m_pReplay->Length());
    m_pReplay->MarkInCaseGraph();
    UpdateControls();
    m_host.DocumentChanged();
    return done;
}

void CWitnessBar::PlayOn() {
    if (m_bPlaying || !m_pReplay)
        return;
    QPointer<CWitnessBar> guard(this);
    m_bPlaying = true;
    m_bStopPlaying = false;
    UpdateControls();
    // To the end, or once more round a lasso's loop.
    const std::size_t end =
        m_pReplay->Position() < m_pReplay->Length()
            ? m_pReplay->Length()
            : m_pReplay->Position() + m_pReplay->Length() - m_pReplay->LoopStart();
    while (guard && m_pReplay && !m_bStopPlaying && m_pReplay->Position() < end && StepForward()) {
    }
    if (!guard)
        return;
    m_bPlaying = false;
    UpdateControls();
}

void CWitnessBar::Poll() {
    if (m_pReplay && !m_bPlaying)
        UpdateControls();
}

void CWitnessBar::NetChanged(const CNetStructure& net) {
    if (m_pNet && !(SameNet(*m_pNet, net) && m_pNet->Conditions() == net.Conditions() &&
                    m_pNet->Events() == net.Events()))
        Stop();
}

void CWitnessBar::UpdateControls() {
    if (!m_pReplay)
        return;
    const bool on = OnTheRun();
    const bool free = !m_bPlaying && !m_host.IsTokenGameBusy();
    m_pStart->setEnabled(free && m_doc.Simulation().IsActive());
    m_pBack->setEnabled(free && on && m_pReplay->CanBack());
    m_pForward->setEnabled(free && on && m_pReplay->CanForward());
    m_pPlay->setEnabled(m_bPlaying || (free && on && m_pReplay->CanForward()));
    m_pPlay->setText(m_bPlaying ? QStringLiteral("\u25A0") : QStringLiteral("\u25B6\u25B6"));
    m_pPlay->setToolTip(m_bPlaying ? QStringLiteral("Stop playing")
                                   : QStringLiteral("Play on to the end"));
    m_pEnd->setEnabled(free && m_doc.Simulation().IsActive());
    QString strText = m_strTitle + QStringLiteral(": ");
    if (!m_doc.Simulation().IsActive())
        strText += QStringLiteral("the token game was left; |\u25C0 starts the run again");
    else if (!on)
        strText += QStringLiteral("the token game left the run; |\u25C0 starts it again");
    else
        strText +=
            QString::fromStdString(m_pReplay->Describe()).section(QLatin1Char(':'), 1).trimmed();
    m_pLabel->setText(strText);
}
