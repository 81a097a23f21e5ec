#pragma once

#include "document/CFrameServices.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QListWidget;
class QPushButton;

// "CaseClass Verification": finds the cases of the case graph that hold the wanted
// conditions and none of the unwanted ones, and shows or replays the shortest way from
// the initial case to a case found.
class CDlgCaseClassAnalysis : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDC_CLEAR_ALL = 1041;
    static constexpr int IDC_FOUND = 1042;
    static constexpr int IDC_TO_UNWANTED = 1043;
    static constexpr int IDC_AVAILABLE = 1044;
    static constexpr int IDC_WANTED = 1045;
    static constexpr int IDC_FROM_UNWANTED = 1046;
    static constexpr int IDC_FIND = 1047;
    static constexpr int IDC_UNWANTED = 1048;
    static constexpr int IDC_ONLY_REACHABLE = 1057;
    static constexpr int IDC_TO_WANTED = 1058;
    static constexpr int IDC_FROM_WANTED = 1059;
    static constexpr int IDC_SHOW_PATH = 1060;
    static constexpr int IDC_REPLAY_PATH = 1061;

    // Shows the path to the case of the index (its node); true when the path runs
    // forward only, so that it can be replayed.
    using ShowPath = std::function<bool(std::size_t nCase)>;

    CDlgCaseClassAnalysis(const CCaseClassInput& input, bool bSimulation, ShowPath showPath,
                          QWidget* pParent = nullptr);

    void FillLists();
    void OnAddWanted();
    void OnAddUnwanted();
    void OnRemoveWanted();
    void OnRemoveUnwanted();
    void OnClearAll();
    void OnFindCases();
    void OnShowPath();
    void OnReplayPath();

    // The case whose path was to be replayed when the dialog closed for it.
    std::optional<std::size_t> GetReplayCase() const { return m_replayCase; }
    QListWidget* GetList(int nId) const;
    QPushButton* GetButton(int nId) const;
    QCheckBox* GetOnlyReachable() const { return m_pOnlyReachable; }

private:
    void UpdateAddButtons();
    void UpdateWantedButtons();
    void UpdateUnwantedButtons();
    void UpdatePathButtons();
    // The row of the case selected in the found list, and the case graph's node of it.
    std::optional<std::size_t> SelectedCase() const;
    std::optional<std::size_t> SelectedNode() const;

    CCaseClassInput m_input;
    // The cases a search of the decision diagrams found, by entry.
    std::vector<CSetConditions> m_foundCases;
    bool m_bSimulation;
    ShowPath m_showPath;
    // The case of the path shown last, when the path can be replayed.
    std::optional<std::size_t> m_replayable;
    std::optional<std::size_t> m_replayCase;
    QListWidget* m_pAvailable = nullptr;
    QListWidget* m_pWanted = nullptr;
    QListWidget* m_pUnwanted = nullptr;
    QListWidget* m_pFound = nullptr;
    QPushButton* m_pToWanted = nullptr;
    QPushButton* m_pFromWanted = nullptr;
    QPushButton* m_pToUnwanted = nullptr;
    QPushButton* m_pFromUnwanted = nullptr;
    QPushButton* m_pClearAll = nullptr;
    QPushButton* m_pFind = nullptr;
    QPushButton* m_pShowPath = nullptr;
    QPushButton* m_pReplayPath = nullptr;
    QCheckBox* m_pOnlyReachable = nullptr;
};
