#pragma once

#include "base/LogFont.h"

#include <QColor>
#include <QFont>
#include <QString>

#include <functional>
#include <string>

class QWidget;

// The modal dialogs a properties page opens, replaceable so that a test can answer
// them. Each returns true on OK and then has changed its in-out arguments.
using TextPrompt = std::function<bool(QWidget* pParent, std::string& strText)>;
using FontPrompt = std::function<bool(QWidget* pParent, QFont& font, QColor& colour)>;

// The "Set text" dialog.
bool RunSetTextDialog(QWidget* pParent, std::string& strText);
// The font dialog with its effects: underline, strike-out and the colour.
bool RunFontDialog(QWidget* pParent, QFont& font, QColor& colour);

// A text of several lines as a one-line edit shows it: line feeds become blanks,
// carriage returns go.
QString ToOneLine(const std::string& strText);

// The font record for a Qt font. Fields Qt has no word for (width, escapement,
// character set, precision, quality) are kept from the base record.
LOGFONT MakeLogFont(const QFont& font, const LOGFONT& base);

// Horizontal dialog units in pixels for the widget's font.
int DialogUnitsToPixelsX(const QWidget* pWidget, int nUnits);

// Control ids are kept as the object names of the controls ("1025").
void SetControlId(QWidget* pWidget, int nId);
