#include "app/CDlgBreakPoints.h"

CDlgBreakPoints::CDlgBreakPoints(CBreakPoints& data, QWidget* pParent)
    : QDialog(pParent), m_rData(data) {}
