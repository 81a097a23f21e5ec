#pragma once

#include "base/ColorRef.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

// The drop-down palette of the named colours, with an optional "default" row above
// the grid and an optional "custom" row below it that opens the colour dialog. It
// opens on construction, takes the mouse and keyboard, reports through its signals
// and deletes itself once a colour is chosen or the choice is cancelled.
class CColourPopup : public QWidget {
    Q_OBJECT

public:
    // Cell indices besides the colours 0 to 39.
    static constexpr int INVALID_COLOUR = -1;
    static constexpr int CUSTOM_BOX_VALUE = -2;
    static constexpr int DEFAULT_BOX_VALUE = -3;

    // Opens the popup with its top-left corner at the screen point pos. An empty text
    // leaves its row out. nID is handed back with every signal.
    CColourPopup(QPoint pos, COLORREF crColour, QWidget* pParentWnd,
                 const QString& strDefaultText = QString(),
                 const QString& strCustomText = QString(), int nID = 0);
    ~CColourPopup() override;

    static int GetColourCount();
    static COLORREF GetColour(int nIndex);
    static QString GetColourName(int nIndex);

    int GetHotCell() const { return m_nCurrentSel; }
    // The area of a colour cell or text row in the popup's coordinates; empty for a
    // row that is absent.
    QRect GetCellRect(int nIndex) const;
    // The cell or text row under a point of the popup, INVALID_COLOUR for none.
    int HitTest(QPoint point) const;

signals:
    // The hot cell changed: its colour, CLR_DEFAULT for the default row, the initial
    // colour for the custom row.
    void HotChanged(COLORREF crColour, int nID);
    void ColourChosen(COLORREF crColour, int nID);
    // Carries the initial colour.
    void Cancelled(COLORREF crColour, int nID);

protected:
    bool event(QEvent* pEvent) override;
    void paintEvent(QPaintEvent* pEvent) override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseReleaseEvent(QMouseEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;

private:
    void SetWindowSize(QPoint pos);
    void FindCellFromColour(COLORREF crColour);
    COLORREF GetCellColour(int nIndex) const;
    bool IsCellPresent(int nIndex) const;
    void ChangeSelection(int nIndex);
    int StepCell(int nIndex, int nStep) const;
    int StepRow(int nIndex, int nStep) const;
    void EndSelection(bool bChosen);
    void ChooseCustomColour();
    void Finish(bool bChosen, COLORREF crColour);
    void DrawCell(QPainter& painter, int nIndex);

    int m_nNumColours = 40;
    int m_nNumColumns = 8;
    int m_nNumRows = 5;
    int m_nBoxSize = 18;
    int m_nMargin = 2;
    int m_nCurrentSel = INVALID_COLOUR;
    int m_nChosenColourSel = INVALID_COLOUR;
    // The column a walk through a text row comes back to.
    int m_nColumn = 0;
    COLORREF m_crInitialColour = 0;
    COLORREF m_crColour = 0;
    QString m_strDefaultText;
    QString m_strCustomText;
    QRect m_rectDefaultText;
    QRect m_rectCustomText;
    int m_nGridTop = 0;
    QFont m_font;
    QWidget* m_pParent = nullptr;
    int m_nID = 0;
    bool m_bChildWindowVisible = false;
    bool m_bEnded = false;
};
