#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QSpinBox;

// "Go to Case": a case by its name (c123), or by conditions it holds and does not hold
// (names separated by commas or blanks, completed from the net's conditions), and how
// many steps around it to show. The caller sets the members before opening it and reads
// them after OK.
class CDlgGoToCase : public QDialog {
    Q_OBJECT

public:
    explicit CDlgGoToCase(const QStringList& conditions, QWidget* pParent = nullptr);

    int exec() override;
    void accept() override;

    QString m_strCase;
    QString m_strWanted;
    QString m_strUnwanted;
    int m_nRadius = 1;

private:
    QLineEdit* m_pCase;
    QLineEdit* m_pWanted;
    QLineEdit* m_pUnwanted;
    QSpinBox* m_pRadius;
};
