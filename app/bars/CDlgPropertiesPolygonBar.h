#pragma once

#include "app/bars/CDlgPropertiesBar.h"
#include "base/ColorRef.h"

class CColorStatic;
class CNumEdit;
class CPNPolygon;
class CThemeButton;
class QComboBox;
class QPushButton;

// The properties page of a polygon: line colour, style and width, fill colour and mode.
class CDlgPropertiesPolygonBar : public CDlgPropertiesBar {
    Q_OBJECT

public:
    static constexpr int IDC_LINE_COLOR = 1000;
    static constexpr int IDC_FILL_COLOR = 1001;
    static constexpr int IDC_LINE_STYLE = 1002;
    static constexpr int IDC_FILL_MODE = 1004;
    static constexpr int IDC_WIDTH_PLUS = 1005;
    static constexpr int IDC_WIDTH_MINUS = 1007;
    static constexpr int IDC_LINE_SWATCH = 1008;
    static constexpr int IDC_FILL_SWATCH = 1009;
    static constexpr int IDC_LINE_WIDTH = 1021;
    // The ids the colour popup hands back.
    static constexpr int POPUP_LINE = 1;
    static constexpr int POPUP_FILL = 2;

    explicit CDlgPropertiesPolygonBar(QWidget* pParent = nullptr);

    void SetElement(CPNElement* pElement) override;

    // A colour chosen in a popup: POPUP_LINE or POPUP_FILL.
    void OnColourChosen(COLORREF crColour, int nID);

private:
    void OpenColourPopup(QPushButton* pButton, COLORREF crColour, int nID);
    void ShowWidth(unsigned int nWidth);
    unsigned int GetWidth() const;
    void OnWidthChanged();
    void OnStepWidth(int nStep);
    void OnLineStyle(int nIndex);
    void OnFillMode(int nIndex);

    CPNPolygon* m_pPolygon = nullptr;
    // The next change of the width edit is the page's own writing, not the user's.
    bool m_bFromPage = false;

    CColorStatic* m_pLineSwatch = nullptr;
    QPushButton* m_pLineColour = nullptr;
    QComboBox* m_pLineStyle = nullptr;
    CNumEdit* m_pWidth = nullptr;
    CThemeButton* m_pPlus = nullptr;
    CThemeButton* m_pMinus = nullptr;
    CColorStatic* m_pFillSwatch = nullptr;
    QPushButton* m_pFillColour = nullptr;
    QComboBox* m_pFillMode = nullptr;
};
