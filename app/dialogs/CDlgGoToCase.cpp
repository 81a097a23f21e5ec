#include "app/dialogs/CDlgGoToCase.h"

#include <QCompleter>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStringListModel>

namespace {

// Completes the last of the names typed, the ones before it kept.
class CLastNameCompleter : public QCompleter {
public:
    CLastNameCompleter(const QStringList& names, QObject* pParent)
        : QCompleter(new QStringListModel(names, pParent), pParent) {
        setCaseSensitivity(Qt::CaseInsensitive);
    }
    QStringList splitPath(const QString& path) const override {
        return {path.section(QRegularExpression(QStringLiteral("[,\\s]+")), -1)};
    }
    QString pathFromIndex(const QModelIndex& index) const override {
        const QString typed = static_cast<QLineEdit*>(widget())->text();
        const QString kept = typed.left(typed.size() - splitPath(typed).constFirst().size());
        return kept + QCompleter::pathFromIndex(index);
    }
};

} // namespace

CDlgGoToCase::CDlgGoToCase(const QStringList& conditions, QWidget* pParent)
    : QDialog(pParent), m_pCase(new QLineEdit(this)), m_pWanted(new QLineEdit(this)),
      m_pUnwanted(new QLineEdit(this)), m_pRadius(new QSpinBox(this)) {
    setWindowTitle(QStringLiteral("Go to Case"));
    m_pCase->setObjectName(QStringLiteral("case"));
    m_pCase->setPlaceholderText(QStringLiteral("c123, or the conditions below"));
    m_pWanted->setObjectName(QStringLiteral("wanted"));
    m_pUnwanted->setObjectName(QStringLiteral("unwanted"));
    for (QLineEdit* pEdit : {m_pWanted, m_pUnwanted})
        pEdit->setCompleter(new CLastNameCompleter(conditions, pEdit));
    m_pRadius->setObjectName(QStringLiteral("radius"));
    m_pRadius->setRange(1, 3);
    auto* pForm = new QFormLayout(this);
    pForm->addRow(QStringLiteral("&Case:"), m_pCase);
    pForm->addRow(QStringLiteral("&Wanted conditions:"), m_pWanted);
    pForm->addRow(QStringLiteral("&Unwanted conditions:"), m_pUnwanted);
    pForm->addRow(QStringLiteral("&Steps around it:"), m_pRadius);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pForm->addRow(pButtons);
}

int CDlgGoToCase::exec() {
    m_pCase->setText(m_strCase);
    m_pWanted->setText(m_strWanted);
    m_pUnwanted->setText(m_strUnwanted);
    m_pRadius->setValue(m_nRadius);
    return QDialog::exec();
}

void CDlgGoToCase::accept() {
    m_strCase = m_pCase->text().trimmed();
    m_strWanted = m_pWanted->text();
    m_strUnwanted = m_pUnwanted->text();
    m_nRadius = m_pRadius->value();
    QDialog::accept();
}
