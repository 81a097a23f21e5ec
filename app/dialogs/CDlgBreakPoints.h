#pragma once

#include <QDialog>

#include <cstdint>
#include <vector>

class CBreakPoints;
class QListWidget;
class QPushButton;

// "Set Breakpoints": moves cases between the available list and the breakpoint list.
// OK keeps the changes in the breakpoint data, Cancel leaves it as it was.
class CDlgBreakPoints : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDC_ADD = 1039;
    static constexpr int IDC_REMOVE = 1040;
    static constexpr int IDC_CLEAR_ALL = 1041;
    static constexpr int IDC_AVAILABLE = 1042;
    static constexpr int IDC_BREAK = 1043;

    CDlgBreakPoints(CBreakPoints& data, QWidget* pParent = nullptr);

    // Both lists hold the breakpoint data again, as this showing started.
    void FillLists();
    void OnAdd();
    void OnRemove();
    void OnClearAll();
    void accept() override;

    QListWidget* GetAvailableList() const { return m_pAvailable; }
    QListWidget* GetBreakList() const { return m_pBreak; }

protected:
    void showEvent(QShowEvent* pEvent) override;

private:
    void Fill(const std::vector<std::uint32_t>& available, const std::vector<std::uint32_t>& brk);
    void AddEntry(QListWidget* pList, std::uint32_t nCase);
    static std::vector<std::uint32_t> ListData(const QListWidget* pList);
    void UpdateButtons();
    void ApplyHorizontalExtent();

    CBreakPoints& m_rData;
    int m_nHorizontalExtent = 0;
    bool m_bShown = false;
    QListWidget* m_pAvailable = nullptr;
    QListWidget* m_pBreak = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pRemove = nullptr;
    QPushButton* m_pClearAll = nullptr;
};
