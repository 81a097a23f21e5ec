#include "app/bars/CDlgPropertiesPolygonBar.h"

#include "app/bars/PropertiesPageTools.h"
#include "app/controls/CColorStatic.h"
#include "app/controls/CColourPopup.h"
#include "app/controls/CNumEdit.h"
#include "app/controls/CThemeButton.h"
#include "app/controls/ColourTable.h"
#include "model/CPNPolygon.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace {

// What "Default color" stands for: the colours a new polygon has.
constexpr COLORREF kDefaultLine = RGB(0, 0, 0);
constexpr COLORREF kDefaultFill = RGB(200, 200, 255);

CColorStatic* MakeSwatch(QWidget* pParent, int nId) {
    auto* pSwatch = new CColorStatic(pParent);
    SetControlId(pSwatch, nId);
    pSwatch->setFixedSize(36, 20);
    return pSwatch;
}

QPushButton* MakeButton(const QString& strText, QWidget* pParent, int nId) {
    auto* pButton = new QPushButton(strText, pParent);
    SetControlId(pButton, nId);
    pButton->setAutoDefault(false);
    return pButton;
}

CThemeButton* MakeStepButton(int nType, QWidget* pParent, int nId) {
    auto* pButton = new CThemeButton(pParent);
    SetControlId(pButton, nId);
    pButton->SetType(nType);
    return pButton;
}

} // namespace

CDlgPropertiesPolygonBar::CDlgPropertiesPolygonBar(QWidget* pParent)
    : CDlgPropertiesBar(QStringLiteral("Properties - Polygon"), pParent) {
    auto* pContent = new QWidget(this);
    auto* pForm = new QFormLayout(pContent);

    m_pLineSwatch = MakeSwatch(pContent, IDC_LINE_SWATCH);
    m_pLineColour = MakeButton("Line color", pContent, IDC_LINE_COLOR);
    pForm->addRow(m_pLineSwatch, m_pLineColour);

    m_pLineStyle = new QComboBox(pContent);
    SetControlId(m_pLineStyle, IDC_LINE_STYLE);
    m_pLineStyle->addItems({"Solid", "Dash", "Dot"});
    pForm->addRow("Line style", m_pLineStyle);

    m_pWidth = new CNumEdit(pContent);
    SetControlId(m_pWidth, IDC_LINE_WIDTH);
    m_pPlus = MakeStepButton(CThemeButton::TYPE_UP, pContent, IDC_WIDTH_PLUS);
    m_pMinus = MakeStepButton(CThemeButton::TYPE_DOWN, pContent, IDC_WIDTH_MINUS);
    auto* pWidthRow = new QHBoxLayout;
    pWidthRow->addWidget(m_pWidth, 1);
    pWidthRow->addWidget(m_pPlus);
    pWidthRow->addWidget(m_pMinus);
    pForm->addRow("Line width", pWidthRow);

    m_pFillSwatch = MakeSwatch(pContent, IDC_FILL_SWATCH);
    m_pFillColour = MakeButton("Fill color", pContent, IDC_FILL_COLOR);
    pForm->addRow(m_pFillSwatch, m_pFillColour);

    m_pFillMode = new QComboBox(pContent);
    SetControlId(m_pFillMode, IDC_FILL_MODE);
    m_pFillMode->addItems({"Empty", "Filled"});
    pForm->addRow("Fill mode", m_pFillMode);

    pContent->setMinimumWidth(DialogUnitsToPixelsX(pContent, 150));
    setWidget(pContent);

    connect(m_pLineColour, &QPushButton::clicked, this, [this] {
        if (m_pPolygon != nullptr)
            OpenColourPopup(m_pLineColour, m_pPolygon->m_crLine, POPUP_LINE);
    });
    connect(m_pFillColour, &QPushButton::clicked, this, [this] {
        if (m_pPolygon != nullptr)
            OpenColourPopup(m_pFillColour, m_pPolygon->m_crFill, POPUP_FILL);
    });
    connect(m_pLineStyle, &QComboBox::activated, this, &CDlgPropertiesPolygonBar::OnLineStyle);
    connect(m_pFillMode, &QComboBox::activated, this, &CDlgPropertiesPolygonBar::OnFillMode);
    connect(m_pWidth, &QLineEdit::textChanged, this, &CDlgPropertiesPolygonBar::OnWidthChanged);
    connect(m_pPlus, &QToolButton::clicked, this, [this] { OnStepWidth(1); });
    connect(m_pMinus, &QToolButton::clicked, this, [this] { OnStepWidth(-1); });
}

void CDlgPropertiesPolygonBar::SetElement(CPNElement* pElement) {
    m_pPolygon = dynamic_cast<CPNPolygon*>(pElement);
    if (m_pPolygon == nullptr) {
        m_bFromPage = true;
        m_pWidth->clear();
        m_bFromPage = false;
        m_pLineStyle->setCurrentIndex(-1);
        m_pFillMode->setCurrentIndex(-1);
        return;
    }
    m_pLineSwatch->SetColor(m_pPolygon->m_crLine);
    m_pLineStyle->setCurrentIndex(m_pPolygon->m_nLineStyle);
    ShowWidth(static_cast<unsigned int>(std::max(0, m_pPolygon->m_nLineWidth)));
    m_pFillSwatch->SetColor(m_pPolygon->m_crFill);
    m_pFillMode->setCurrentIndex(m_pPolygon->m_nFillMode);
}

void CDlgPropertiesPolygonBar::OpenColourPopup(QPushButton* pButton, COLORREF crColour, int nID) {
    const QPoint pos = pButton->mapToGlobal(QPoint(0, pButton->height()));
    auto* pPopup = new CColourPopup(pos, crColour, pButton, "Default color", "Custom color", nID);
    connect(pPopup, &CColourPopup::ColourChosen, this, &CDlgPropertiesPolygonBar::OnColourChosen);
}

void CDlgPropertiesPolygonBar::OnColourChosen(COLORREF crColour, int nID) {
    if (m_pPolygon == nullptr)
        return;
    // The default row stands for a colour, it is none itself: the file and the pen
    // need a real one.
    if (nID == POPUP_LINE) {
        const COLORREF cr = crColour == CLR_DEFAULT ? kDefaultLine : crColour;
        m_pLineSwatch->SetColor(cr);
        Change(m_pPolygon, 0, 0, "Line Colour", [this, cr] { m_pPolygon->m_crLine = cr; });
    } else if (nID == POPUP_FILL) {
        const COLORREF cr = crColour == CLR_DEFAULT ? kDefaultFill : crColour;
        m_pFillSwatch->SetColor(cr);
        Change(m_pPolygon, 0, 0, "Fill Colour", [this, cr] { m_pPolygon->m_crFill = cr; });
    }
}

void CDlgPropertiesPolygonBar::ShowWidth(unsigned int nWidth) {
    m_bFromPage = true;
    m_pWidth->setText(QString::number(nWidth));
    // An unchanged text sends no change: the flag must not wait for the user's.
    m_bFromPage = false;
}

unsigned int CDlgPropertiesPolygonBar::GetWidth() const {
    // Like an unsigned read of the edit: an empty or overlong number is 0. The model
    // keeps the width as a signed number.
    bool bOk = false;
    const unsigned int nWidth = m_pWidth->text().toUInt(&bOk);
    return bOk && nWidth <= static_cast<unsigned int>(INT_MAX) ? nWidth : 0;
}

void CDlgPropertiesPolygonBar::OnWidthChanged() {
    unsigned int nWidth = GetWidth();
    // The platform draws dashed and dotted lines only one pixel wide.
    m_pLineStyle->setEnabled(nWidth == 1);
    if (m_bFromPage) {
        m_bFromPage = false;
        return;
    }
    if (m_pPolygon == nullptr)
        return;
    if (nWidth == 0) {
        nWidth = 1;
        ShowWidth(nWidth);
    }
    Change(m_pPolygon, 0, 0, "Line Width",
           [this, nWidth] { m_pPolygon->m_nLineWidth = static_cast<int>(nWidth); });
}

void CDlgPropertiesPolygonBar::OnStepWidth(int nStep) {
    if (m_pPolygon == nullptr)
        return;
    const long long nWidth = static_cast<long long>(GetWidth()) + nStep;
    // Through the edit, whose change notification writes the width.
    m_pWidth->setText(QString::number(std::clamp<long long>(nWidth, 1, INT_MAX)));
}

void CDlgPropertiesPolygonBar::OnLineStyle(int nIndex) {
    if (m_pPolygon == nullptr || nIndex < 0)
        return;
    Change(m_pPolygon, 0, 0, "Line Style", [this, nIndex] { m_pPolygon->m_nLineStyle = nIndex; });
}

void CDlgPropertiesPolygonBar::OnFillMode(int nIndex) {
    if (m_pPolygon == nullptr || nIndex < 0)
        return;
    Change(m_pPolygon, 0, 0, "Fill Mode", [this, nIndex] { m_pPolygon->m_nFillMode = nIndex; });
}
