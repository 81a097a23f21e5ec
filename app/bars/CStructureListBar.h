#pragma once

#include "findings/CElementHighlight.h"
#include "findings/CStructureList.h"

#include <QDockWidget>
#include <QTimer>

#include <string>

class CFindingsHost;
class CZerinDoc;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// Analysis > "Invariants" and "Siphons and Traps" fill this dockable list beside the
// Output pane: the S-invariants with their weights and value, the T-invariants with their
// event counts, the minimal siphons with their largest traps. Choosing one highlights its
// conditions (or its events with their counts) in the net design; Esc in the net design
// or choosing nothing takes the highlight away. In simulation a column says each
// S-invariant's value in the current case, which every step keeps.
class CStructureListBar : public QDockWidget {
    Q_OBJECT

public:
    static constexpr int kColumnItem = 0;
    static constexpr int kColumnValue = 1;
    static constexpr int kColumnNow = 2;

    CStructureListBar(CZerinDoc& doc, CFindingsHost& host, QWidget* pParent = nullptr);

    // Finds what the question asks ("invariants" or "siphons") under the host's progress,
    // writes the question's answer to the Output pane and lists it; false when stopped.
    bool Fill(const std::string& questionId);
    const CStructureList& GetList() const { return m_list; }
    const CElementHighlight& GetHighlight() const { return m_highlight; }
    QTreeWidget& GetTree() const { return *m_pTree; }
    // Chooses the item (an index of the list's items; -1 chooses nothing).
    void Choose(int nItem);
    // Takes the highlight and the choice away.
    void ClearHighlight();

    // Follows the token game and the net: the values in the current case, a list of
    // another net greyed.
    void Poll();

protected:
    // Esc in the net design takes the highlight away.
    bool eventFilter(QObject* pObject, QEvent* pEvent) override;

private:
    void BuildRows();
    void Chosen();
    void UpdateValues();

    CZerinDoc& m_doc;
    CFindingsHost& m_host;
    CStructureList m_list;
    CElementHighlight m_highlight;
    QTimer m_timer;
    QLabel* m_pSummary;
    QTreeWidget* m_pTree;
    // What the values were shown for.
    std::string m_strShownCase;
    unsigned long long m_nDocRevision = 0;
};
