#pragma once

#include <QDialog>
#include <QStringList>

class QLineEdit;

// The conditions a case holds and does not hold, for a search of the case class: names
// separated by commas or blanks, completed from the net's conditions. The caller sets
// the members before opening it and reads them after OK.
class CDlgCaseConditions : public QDialog {
    Q_OBJECT

public:
    CDlgCaseConditions(const QString& strTitle, const QStringList& conditions,
                       QWidget* pParent = nullptr);

    int exec() override;
    void accept() override;
    // The names as the questions take them: "a,b".
    static QString AsList(const QString& strNames);

    QString m_strWanted;
    QString m_strUnwanted;

private:
    QLineEdit* m_pWanted;
    QLineEdit* m_pUnwanted;
};
