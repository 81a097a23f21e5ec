#pragma once

#include "layout/CGASettings.h"

#include <QDialog>

#include <map>

class QLineEdit;

// "Advanced settings": the optimiser's probabilities, fitness weights, grid and
// population size. Digits only; the grid and population size are fixed while a search
// is under way. OK checks every field and stays open on the first bad one.
class CDlgGASettings : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDC_WEIGHT_INTERSECTIONS = 1032;
    static constexpr int IDC_POPULATION = 1038;
    static constexpr int IDC_SWAP = 1039;
    static constexpr int IDC_MOVE = 1040;
    static constexpr int IDC_SMALL_MOVE = 1041;
    static constexpr int IDC_CROSS = 1042;
    static constexpr int IDC_GRID = 1044;
    static constexpr int IDC_LENGTH = 1052;
    static constexpr int IDC_WEIGHT_LENGTH = 1061;
    static constexpr int IDC_WEIGHT_MIN_DISTANCE = 1062;
    static constexpr int IDC_WEIGHT_MAX_DISTANCE = 1063;

    CDlgGASettings(const CGASettings& settings, QWidget* pParent = nullptr);

    // The values after OK.
    const CGASettings& GetSettings() const { return m_settings; }
    QLineEdit* GetEdit(int nId) const { return m_mapEdits.at(nId); }
    // The message of the last refused OK, empty when none was refused.
    const QString& GetLastError() const { return m_strError; }

    void accept() override;

protected:
    // Shows a refusal; the dialog stays open. Tests record it instead.
    virtual void ShowValidationMessage(const QString& strText);

private:
    // The field's value, or the message that refuses it.
    struct Field {
        int id;
        int* value;
        int min;
        int max;
    };

    CGASettings m_settings;
    std::map<int, QLineEdit*> m_mapEdits;
    QString m_strError;
};
