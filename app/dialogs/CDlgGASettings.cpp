#include "app/dialogs/CDlgGASettings.h"

#include "app/bars/PropertiesPageTools.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <climits>
#include <vector>

CDlgGASettings::CDlgGASettings(const CGASettings& settings, QWidget* pParent)
    : QDialog(pParent), m_settings(settings) {
    setWindowTitle("Advanced settings");
    auto* pDigits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    auto addField = [this, pDigits](QFormLayout* pForm, const char* pszLabel, int nId, int nValue) {
        auto* pEdit = new QLineEdit(QString::number(nValue), this);
        pEdit->setValidator(pDigits);
        SetControlId(pEdit, nId);
        pForm->addRow(QString::fromLatin1(pszLabel), pEdit);
        m_mapEdits[nId] = pEdit;
        return pEdit;
    };

    auto* pProbabilities = new QGroupBox("Probabilities:", this);
    auto* pProbabilityForm = new QFormLayout(pProbabilities);
    addField(pProbabilityForm, "Cross:", IDC_CROSS, settings.m_nCross);
    addField(pProbabilityForm, "Mutation move:", IDC_MOVE, settings.m_nMutationMove);
    addField(pProbabilityForm, "Mutation small move:", IDC_SMALL_MOVE,
             settings.m_nMutationSmallMove);
    addField(pProbabilityForm, "Mutation swap:", IDC_SWAP, settings.m_nMutationSwap);

    auto* pWeights = new QGroupBox("Fitness weights:", this);
    auto* pWeightForm = new QFormLayout(pWeights);
    addField(pWeightForm, "Edges intersections:", IDC_WEIGHT_INTERSECTIONS,
             settings.m_nWeightIntersections);
    addField(pWeightForm, "Edges length:", IDC_WEIGHT_LENGTH, settings.m_nWeightLength);
    addField(pWeightForm, "Min objects distance:", IDC_WEIGHT_MIN_DISTANCE,
             settings.m_nWeightMinDistance);
    addField(pWeightForm, "Max objects distance:", IDC_WEIGHT_MAX_DISTANCE,
             settings.m_nWeightMaxDistance);

    auto* pSizes = new QFormLayout;
    addField(pSizes, "Grid size:", IDC_GRID, settings.m_nGridSize)->setEnabled(!settings.m_bLocked);
    addField(pSizes, "Population size:", IDC_POPULATION, settings.m_nPopulationSize)
        ->setEnabled(!settings.m_bLocked);
    addField(pSizes, "Chromosome length:", IDC_LENGTH, settings.m_nLength)->setReadOnly(true);

    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &CDlgGASettings::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* pGroups = new QHBoxLayout;
    pGroups->addWidget(pProbabilities);
    pGroups->addWidget(pWeights);
    auto* pLayout = new QVBoxLayout(this);
    pLayout->addLayout(pGroups);
    pLayout->addLayout(pSizes);
    pLayout->addWidget(pButtons);
}

void CDlgGASettings::accept() {
    CGASettings s = m_settings;
    const std::vector<Field> fields = {
        {IDC_CROSS, &s.m_nCross, 0, 100},
        {IDC_GRID, &s.m_nGridSize, INT_MIN, INT_MAX},
        {IDC_MOVE, &s.m_nMutationMove, 0, 100},
        {IDC_SMALL_MOVE, &s.m_nMutationSmallMove, 0, 100},
        {IDC_SWAP, &s.m_nMutationSwap, 0, 100},
        {IDC_POPULATION, &s.m_nPopulationSize, 3, 999},
        {IDC_WEIGHT_INTERSECTIONS, &s.m_nWeightIntersections, INT_MIN, INT_MAX},
        {IDC_WEIGHT_LENGTH, &s.m_nWeightLength, INT_MIN, INT_MAX},
        {IDC_WEIGHT_MIN_DISTANCE, &s.m_nWeightMinDistance, INT_MIN, INT_MAX},
        {IDC_WEIGHT_MAX_DISTANCE, &s.m_nWeightMaxDistance, INT_MIN, INT_MAX},
    };
    for (const Field& field : fields) {
        QLineEdit* pEdit = m_mapEdits.at(field.id);
        bool bOk = false;
        const int nValue = pEdit->text().trimmed().toInt(&bOk);
        QString strError;
        if (!bOk)
            strError = QStringLiteral("Please enter an integer.");
        else if (nValue < field.min || nValue > field.max)
            strError = QStringLiteral("Please enter an integer between %1 and %2.")
                           .arg(field.min)
                           .arg(field.max);
        if (!strError.isEmpty()) {
            m_strError = strError;
            ShowValidationMessage(strError);
            pEdit->setFocus();
            pEdit->selectAll();
            return;
        }
        *field.value = nValue;
    }
    m_strError.clear();
    m_settings = s;
    QDialog::accept();
}

void CDlgGASettings::ShowValidationMessage(const QString& strText) {
    QMessageBox::warning(this, windowTitle(), strText);
}
