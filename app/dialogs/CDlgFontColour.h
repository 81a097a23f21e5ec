#pragma once

#include "base/ColorRef.h"

#include <QColor>
#include <QDialog>
#include <QFont>

class CColorStatic;
class QFontDialog;
class QPushButton;

// The font dialog of the label page: face, style, size and the effects underline,
// strike-out and colour. The colour comes from the colour popup below its button.
class CDlgFontColour : public QDialog {
    Q_OBJECT

public:
    CDlgFontColour(const QFont& font, const QColor& colour, QWidget* pParent = nullptr);

    QFont GetFont() const;
    QColor GetColour() const;
    void SetColour(COLORREF crColour);

private:
    void OnChooseColour();

    QFontDialog* m_pFontDialog = nullptr;
    CColorStatic* m_pSwatch = nullptr;
    QPushButton* m_pColourButton = nullptr;
};
