#pragma once

#include "findings/CPropertyListModel.h"

#include <QDockWidget>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

class CFindingsHost;
class CFormulaEdit;
class CNetStructure;
class CWitnessBar;
class CZerinDoc;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Analysis > "Properties": the document's property list in a dockable window. A formula
// of the readable language is typed with the net's names completed and added or put in
// place of the chosen line; a global examination is added from its list. A line that does
// not read shows the parser's message with its column and is not checked. "Check" checks
// the chosen lines, "Check All" every line, off the window's thread with progress and
// Stop; each line then shows its verdict (TRUE, FALSE, a number, or CANNOT_COMPUTE with
// the reason as its tip), the time and the techniques that answered, greyed once the net
// is edited. "Show Witness" plays a line's run in the token game (CWitnessBar).
class CPropertyListBar : public QDockWidget {
    Q_OBJECT

public:
    static constexpr int kColumnProperty = 0;
    static constexpr int kColumnVerdict = 1;
    static constexpr int kColumnTime = 2;
    static constexpr int kColumnEngine = 3;

    CPropertyListBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent = nullptr);
    ~CPropertyListBar() override;

    CPropertyListModel& GetModel() { return m_model; }
    CFormulaEdit& GetEditor() const { return *m_pEditor; }
    QTreeWidget& GetList() const { return *m_pList; }
    CWitnessBar& GetWitnessBar() const { return *m_pWitness; }
    QLabel& GetFault() const { return *m_pFault; }

    // The editor's text as a new line; false where it is empty.
    bool AddFormula();
    // The editor's text in place of the chosen line.
    bool ReplaceFormula();
    bool AddExamination(const QString& strName);
    void RemoveChosen();
    void MoveChosen(int nDelta);
    // Checks the lines (all where none are given) and shows their verdicts; false when
    // stopped.
    bool Check(const std::vector<std::uint64_t>& serials);
    bool CheckChosen();
    bool CheckAll() { return Check({}); }
    // Plays the chosen line's run; false, with the reason shown, where it has none.
    bool ShowWitness();
    // The serials of the chosen lines, in list order.
    std::vector<std::uint64_t> ChosenLines() const;
    void Choose(std::uint64_t serial);

    // Catches up with the document: its list, its net, the token game.
    void Poll();

private:
    void BuildRows();
    void FillRow(QTreeWidgetItem& item, const CPropertyList::Line& line);
    void UpdateButtons();
    void ListChanged();
    void ShowFault(const CPropertyListModel::Finding& finding);

    CZerinDoc& m_doc;
    CFindingsHost& m_host;
    CPropertyListModel m_model;
    QTimer m_timer;
    CFormulaEdit* m_pEditor;
    QLabel* m_pFault;
    QComboBox* m_pExaminations;
    QTreeWidget* m_pList;
    CWitnessBar* m_pWitness;
    QPushButton* m_pAdd;
    QPushButton* m_pReplace;
    QPushButton* m_pRemove;
    QPushButton* m_pUp;
    QPushButton* m_pDown;
    QPushButton* m_pCheck;
    QPushButton* m_pCheckAll;
    QPushButton* m_pShowWitness;
    // What the rows were made from.
    unsigned long long m_nDocRevision = ~0ull;
    std::uint64_t m_nListRevision = ~std::uint64_t(0);
};
