#include "app/CCaseGraphProgressDialog.h"

CCaseGraphProgressDialog::CCaseGraphProgressDialog(QWidget* pParent) : QDialog(pParent) {}

bool CCaseGraphProgressDialog::SetProgress(int, int) {
    return !m_bCancelled;
}
