#include "app/dialogs/CDlgSmoothCaseGraph.h"

#include "app/bars/PropertiesPageTools.h"
#include "app/dialogs/CDlgGASettings.h"
#include "layout/CSmoothCaseGraphSession.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

CDlgSmoothCaseGraph::CDlgSmoothCaseGraph(CSmoothCaseGraphSession& session, QWidget* pParent)
    : QDialog(pParent), m_rSession(session) {
    setWindowTitle("Smooth Case Graph");
    m_runSettings = [this](CGASettings& settings) {
        CDlgGASettings dialog(settings, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        settings = dialog.GetSettings();
        return true;
    };

    auto makeButton = [this](const char* pszText, int nId) {
        auto* pButton = new QPushButton(QString::fromLatin1(pszText), this);
        SetControlId(pButton, nId);
        pButton->setAutoDefault(false);
        return pButton;
    };
    m_pStart = makeButton("Start", IDC_START);
    m_pStop = makeButton("Stop", IDC_STOP);
    m_pReset = makeButton("Reset", IDC_RESET);
    m_pSettings = makeButton("Settings ...", IDC_SETTINGS);
    m_pOk = makeButton("OK", 1);
    m_pCancel = makeButton("Cancel", 2);
    m_pOk->setDefault(true);
    connect(m_pStart, &QPushButton::clicked, this, &CDlgSmoothCaseGraph::OnStart);
    connect(m_pStop, &QPushButton::clicked, this, &CDlgSmoothCaseGraph::OnStop);
    connect(m_pReset, &QPushButton::clicked, this, &CDlgSmoothCaseGraph::OnReset);
    connect(m_pSettings, &QPushButton::clicked, this, &CDlgSmoothCaseGraph::OnSettings);
    connect(m_pOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto makeNumber = [this](int nId) {
        auto* pLabel = new QLabel(this);
        SetControlId(pLabel, nId);
        pLabel->setFrameShape(QFrame::StyledPanel);
        pLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        pLabel->setMinimumWidth(90);
        pLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return pLabel;
    };
    m_pGenerations = makeNumber(IDC_GENERATIONS);
    m_pFitness = makeNumber(IDC_FITNESS);
    m_pIntersections = makeNumber(IDC_INTERSECTIONS);
    auto* pStatistics = new QGroupBox("Statistics:", this);
    auto* pForm = new QFormLayout(pStatistics);
    pForm->addRow("Generations:", m_pGenerations);
    pForm->addRow("Fitness:", m_pFitness);
    pForm->addRow("Intersections:", m_pIntersections);

    auto* pButtons = new QGridLayout;
    pButtons->addWidget(m_pStart, 0, 0);
    pButtons->addWidget(m_pStop, 0, 1);
    pButtons->addWidget(m_pReset, 1, 0);
    pButtons->addWidget(m_pSettings, 1, 1);
    pButtons->addWidget(m_pOk, 2, 0);
    pButtons->addWidget(m_pCancel, 2, 1);

    auto* pLayout = new QVBoxLayout(this);
    auto* pCaption = new QLabel(
        "Reduce the number of line crossings and smooth the case graph by a genetic algorithm",
        this);
    pCaption->setWordWrap(true);
    pLayout->addWidget(pCaption);
    pLayout->addWidget(pStatistics);
    m_pStatus = new QLabel(this);
    SetControlId(m_pStatus, IDC_STATUS);
    m_pStatus->setWordWrap(true);
    pLayout->addWidget(m_pStatus);
    // Counting the crossings compares every pair of steps: said before it is started
    // where the first population alone would take longer than anyone waits.
    const double pairs = m_rSession.PopulationPairs();
    m_bTooLarge = pairs > kMaxPopulationPairs && !m_rSession.IsPopulationReady();
    if (m_bTooLarge) {
        const auto& ga = m_rSession.GetAlgorithm();
        m_pStatus->setText(
            QStringLiteral("The case graph has %1 steps: counting the crossings of each of the "
                           "%2 placements of the first population compares %3 pairs of steps, "
                           "hours of work. The smoothing serves graphs of up to about 100,000 "
                           "steps. Lay out a part of the graph instead: Go to Case shows a case "
                           "with the cases around it, and Lay Out Neighbourhood gathers them.")
                .arg(QLocale().toString(ga.m_nEdges))
                .arg(ga.m_nPopulationSize)
                .arg(QLocale().toString(static_cast<double>(ga.PairsPerPlacement()), 'g', 2)));
    }
    pLayout->addLayout(pButtons);

    m_pTimer = new QTimer(this);
    m_pTimer->setInterval(kRefreshMilliseconds);
    connect(m_pTimer, &QTimer::timeout, this, &CDlgSmoothCaseGraph::UpdateStatistics);

    // The state a closed dialog left: Start is enabled, Stop not, Reset once started.
    SetRunningState(false);
    m_pReset->setEnabled(m_rSession.IsStarted());
    UpdateStatistics();
}

CDlgSmoothCaseGraph::~CDlgSmoothCaseGraph() {
    StopWorker();
}

QPushButton* CDlgSmoothCaseGraph::GetButton(int nId) const {
    switch (nId) {
    case IDC_START:
        return m_pStart;
    case IDC_STOP:
        return m_pStop;
    case IDC_RESET:
        return m_pReset;
    case IDC_SETTINGS:
        return m_pSettings;
    case 1:
        return m_pOk;
    case 2:
        return m_pCancel;
    default:
        return nullptr;
    }
}

QString CDlgSmoothCaseGraph::GetStatistic(int nId) const {
    switch (nId) {
    case IDC_GENERATIONS:
        return m_pGenerations->text();
    case IDC_FITNESS:
        return m_pFitness->text();
    case IDC_INTERSECTIONS:
        return m_pIntersections->text();
    case IDC_STATUS:
        return m_pStatus->text();
    default:
        return {};
    }
}

void CDlgSmoothCaseGraph::UpdateStatistics() {
    m_pGenerations->setText(QString::number(m_rSession.GetGenerations()));
    m_pFitness->setText(QString::number(m_rSession.GetFitness()));
    m_pIntersections->setText(QString::number(m_rSession.GetIntersections()));
    if (m_bTooLarge)
        return;
    // The first population of a large graph takes a while: how far it has come.
    if (m_worker.joinable() && !m_rSession.IsPopulationReady()) {
        const CSmoothCaseGraphSession::PopulationProgress made = m_rSession.GetPopulationProgress();
        m_pStatus->setText(QStringLiteral("Making the first population: placement %1 of %2, "
                                          "its crossings counted to %3 %")
                               .arg(std::min(made.made + 1, made.size))
                               .arg(made.size)
                               .arg(static_cast<int>(made.counting * 100)));
    } else {
        m_pStatus->clear();
    }
}

void CDlgSmoothCaseGraph::SetRunningState(bool bRunning) {
    for (QPushButton* pButton : {m_pCancel, m_pOk, m_pStart, m_pReset, m_pSettings})
        pButton->setEnabled(!bRunning);
    m_pStop->setEnabled(bRunning);
    m_pStart->setEnabled(!bRunning && !m_bTooLarge);
}

void CDlgSmoothCaseGraph::OnStart() {
    if (m_worker.joinable() || m_bTooLarge)
        return;
    // The worker makes the first population after Init or Reset, then breeds; Stop
    // ends either within a fraction of a second.
    if (!m_rSession.Start())
        return;
    SetRunningState(true);
    m_pStop->setFocus();
    CSmoothCaseGraphSession* pSession = &m_rSession;
    m_worker = std::thread([pSession] {
        while (pSession->IsRunning())
            pSession->RunGeneration();
    });
    m_pTimer->start();
}

void CDlgSmoothCaseGraph::StopWorker() {
    m_rSession.Stop();
    if (m_worker.joinable())
        m_worker.join();
    m_pTimer->stop();
}

void CDlgSmoothCaseGraph::OnStop() {
    StopWorker();
    SetRunningState(false);
    UpdateStatistics();
}

void CDlgSmoothCaseGraph::OnReset() {
    // A search under way ends first: the optimiser is not shared with the worker.
    if (m_worker.joinable())
        OnStop();
    m_rSession.Reset();
    UpdateStatistics();
}

void CDlgSmoothCaseGraph::OnSettings() {
    if (m_worker.joinable())
        return;
    CGASettings settings = m_rSession.GetSettings();
    if (m_runSettings && m_runSettings(settings))
        m_rSession.ApplySettings(settings);
}

void CDlgSmoothCaseGraph::done(int nResult) {
    // Closing the window while a search runs stops it cleanly.
    if (m_worker.joinable())
        OnStop();
    QDialog::done(nResult);
}
