#pragma once

#include <QDialog>

class CBreakPoints;

// "Set Breakpoints": moves cases between the available list and the breakpoint list.
// OK keeps the changes in the breakpoint data, Cancel leaves it as it was.
class CDlgBreakPoints : public QDialog {
    Q_OBJECT

public:
    CDlgBreakPoints(CBreakPoints& data, QWidget* pParent = nullptr);

private:
    CBreakPoints& m_rData;
};
