#include "app/dialogs/CDlgCaseConditions.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStringListModel>

namespace {

const QRegularExpression& Separators() {
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    return separators;
}

// Completes the last of the names typed, the ones before it kept.
class CLastConditionCompleter : public QCompleter {
public:
    CLastConditionCompleter(const QStringList& names, QObject* pParent)
        : QCompleter(new QStringListModel(names, pParent), pParent) {
        setCaseSensitivity(Qt::CaseInsensitive);
    }
    QStringList splitPath(const QString& path) const override {
        return {path.section(Separators(), -1)};
    }
    QString pathFromIndex(const QModelIndex& index) const override {
        const QString typed = static_cast<QLineEdit*>(widget())->text();
        const QString kept = typed.left(typed.size() - splitPath(typed).constFirst().size());
        return kept + QCompleter::pathFromIndex(index);
    }
};

} // namespace

CDlgCaseConditions::CDlgCaseConditions(const QString& strTitle, const QStringList& conditions,
                                       QWidget* pParent)
    : QDialog(pParent), m_pWanted(new QLineEdit(this)), m_pUnwanted(new QLineEdit(this)) {
    setWindowTitle(strTitle);
    m_pWanted->setObjectName(QStringLiteral("wanted"));
    m_pUnwanted->setObjectName(QStringLiteral("unwanted"));
    for (QLineEdit* pEdit : {m_pWanted, m_pUnwanted})
        pEdit->setCompleter(new CLastConditionCompleter(conditions, pEdit));
    auto* pForm = new QFormLayout(this);
    pForm->addRow(QStringLiteral("&Wanted conditions:"), m_pWanted);
    pForm->addRow(QStringLiteral("&Unwanted conditions:"), m_pUnwanted);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pForm->addRow(pButtons);
}

int CDlgCaseConditions::exec() {
    m_pWanted->setText(m_strWanted);
    m_pUnwanted->setText(m_strUnwanted);
    return QDialog::exec();
}

void CDlgCaseConditions::accept() {
    m_strWanted = m_pWanted->text();
    m_strUnwanted = m_pUnwanted->text();
    QDialog::accept();
}

QString CDlgCaseConditions::AsList(const QString& strNames) {
    return strNames.split(Separators(), Qt::SkipEmptyParts).join(QLatin1Char(','));
}
