#include "app/bars/CDlgPropertiesSimulationBar.h"

#include "app/bars/PropertiesPageTools.h"
#include "app/bars/SimulationButtonIcons.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

CDlgPropertiesSimulationBar::CDlgPropertiesSimulationBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Simulation"), pParent) {
    auto* pContent = new QWidget(this);
    auto* pLayout = new QVBoxLayout(pContent);

    auto* pButtons = new QHBoxLayout;
    m_pReset = AddButton(Cmd::ID_SIM_RESET, "Reset");
    m_pStart = AddButton(Cmd::ID_SIM_START, "Start automatic run");
    m_pStop = AddButton(Cmd::ID_SIM_STOP, "Stop");
    m_pStep = AddButton(Cmd::ID_SIM_STEP, "Execute step");
    for (QToolButton* pButton : {m_pReset, m_pStart, m_pStop, m_pStep})
        pButtons->addWidget(pButton);
    pButtons->addStretch(1);
    pLayout->addLayout(pButtons);

    m_pSpeed = new QSlider(Qt::Horizontal, pContent);
    SetControlId(m_pSpeed, IDC_SPEED);
    m_pSpeed->setRange(1, 100);
    m_pSpeed->setValue(25);
    m_pSpeed->setSingleStep(1);
    m_pSpeed->setPageStep(10);
    // Every move, dragging included: the animation reads the delay at each frame.
    m_pSpeed->setTracking(true);
    connect(m_pSpeed, &QSlider::valueChanged, this, &CDlgPropertiesSimulationBar::SimulationSpeed);

    auto* pSpeedRow = new QHBoxLayout;
    pSpeedRow->addWidget(new QLabel("F", pContent));
    pSpeedRow->addWidget(m_pSpeed, 1);
    pSpeedRow->addWidget(new QLabel("S", pContent));
    auto* pForm = new QFormLayout;
    pForm->addRow("Simulation speed:", pSpeedRow);
    pLayout->addLayout(pForm);
    pLayout->addStretch(1);

    pContent->setMinimumWidth(DialogUnitsToPixelsX(pContent, 150));
    setWidget(pContent);
}

QToolButton* CDlgPropertiesSimulationBar::AddButton(int nId, const QString& strTip) {
    auto* pButton = new QToolButton(this);
    SetControlId(pButton, nId);
    pButton->setIcon(MakeSimulationButtonIcon(nId));
    pButton->setIconSize(QSize(20, 20));
    pButton->setToolTip(strTip);
    // A picture alone says nothing to a screen reader.
    pButton->setAccessibleName(strTip);
    pButton->setFocusPolicy(Qt::TabFocus);
    connect(pButton, &QToolButton::clicked, this, [this, nId] { emit SimulationCommand(nId); });
    return pButton;
}

void CDlgPropertiesSimulationBar::EnableSimulationButtons(bool bReset, bool bStart, bool bStop,
                                                          bool bStep) {
    m_pReset->setEnabled(bReset);
    m_pStart->setEnabled(bStart);
    m_pStop->setEnabled(bStop);
    m_pStep->setEnabled(bStep);
}

QToolButton* CDlgPropertiesSimulationBar::GetButton(int nId) const {
    switch (nId) {
    case Cmd::ID_SIM_RESET:
        return m_pReset;
    case Cmd::ID_SIM_START:
        return m_pStart;
    case Cmd::ID_SIM_STOP:
        return m_pStop;
    case Cmd::ID_SIM_STEP:
        return m_pStep;
    default:
        return nullptr;
    }
}
