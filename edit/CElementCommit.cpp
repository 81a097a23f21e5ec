#include "edit/CElementCommit.h"

#include "model/CPNElement.h"

#include <algorithm>

CElementCommit::CElementCommit(std::string text, int nMergeKey, GenerationOf generationOf)
    : CEditCommand(std::move(text)), m_nMergeKey(nMergeKey),
      m_generationOf(std::move(generationOf)) {}

CElementCommit::~CElementCommit() {
    DeleteHeld();
}

void CElementCommit::Rename(std::string text, int nMergeKey) {
    SetText(std::move(text));
    m_nMergeKey = nMergeKey;
}

void CElementCommit::SetDiagram(int nDiagram) {
    m_nDiagram = nDiagram;
}

void CElementCommit::Modify(CPNElement* element) {
    if (!element || !m_indexOf.emplace(element, m_elements.size()).second)
        return;
    m_elements.push_back(
        {m_nDiagram, m_generationOf(m_nDiagram), element, element->SaveState(), nullptr});
}

void CElementCommit::ModifyList(std::list<CPNElement*>& list) {
    if (!m_listIndexOf.emplace(&list, m_lists.size()).second)
        return;
    m_lists.push_back({m_nDiagram,
                       m_generationOf(m_nDiagram),
                       &list,
                       std::vector<CPNElement*>(list.begin(), list.end()),
                       {}});
}

void CElementCommit::Discard(CPNElement* element) {
    if (element)
        m_discarded.insert(element);
}

void CElementCommit::Record(std::unique_ptr<CEditChange> change) {
    if (change)
        m_changes.push_back(std::move(change));
}

bool CElementCommit::Close() {
    for (ElementEntry& entry : m_elements)
        entry.after = entry.element->SaveState();
    // An element that ends as it began changed nothing.
    std::erase_if(m_elements,
                  [](const ElementEntry& entry) { return entry.before->Equals(*entry.after); });
    m_indexOf.clear();
    for (std::size_t i = 0; i < m_elements.size(); ++i)
        m_indexOf.emplace(m_elements[i].element, i);
    for (ListEntry& entry : m_lists)
        entry.after.assign(entry.list->begin(), entry.list->end());
    // A list that ends as it began changed nothing.
    std::erase_if(m_lists, [](const ListEntry& entry) { return entry.before == entry.after; });
    m_listIndexOf.clear();
    CollectMembership();
    // What was made and discarded within the edit, or discarded while still listed
    // elsewhere, is not the commit's to keep.
    const std::unordered_set<CPNElement*> removed(m_removed.begin(), m_removed.end());
    for (CPNElement* element : m_discarded)
        if (!removed.count(element)) {
            bool listed = false;
            for (const ListEntry& entry : m_lists)
                listed = listed || std::find(entry.after.begin(), entry.after.end(), element) !=
                                       entry.after.end();
            if (!listed && !m_indexOf.count(element))
                delete element;
        }
    m_discarded.clear();
    m_bDone = true;
    m_nSize = ComputeSize();
    return !IsEmpty();
}

void CElementCommit::CollectMembership() {
    std::unordered_set<CPNElement*> before, after;
    for (const ListEntry& entry : m_lists) {
        before.insert(entry.before.begin(), entry.before.end());
        after.insert(entry.after.begin(), entry.after.end());
    }
    m_removed.clear();
    m_added.clear();
    // In the order of the lists, so that deleting them follows one order every run.
    for (const ListEntry& entry : m_lists) {
        for (CPNElement* e : entry.before)
            if (!after.count(e) &&
                std::find(m_removed.begin(), m_removed.end(), e) == m_removed.end())
                m_removed.push_back(e);
        for (CPNElement* e : entry.after)
            if (!before.count(e) && std::find(m_added.begin(), m_added.end(), e) == m_added.end())
                m_added.push_back(e);
    }
}

void CElementCommit::Rollback() {
    Close();
    Undo();
    // What the commit added is undone now and its own: it goes with the commit.
    for (CPNElement* e : m_added)
        delete e;
    m_added.clear();
    m_removed.clear();
    m_elements.clear();
    m_indexOf.clear();
    m_lists.clear();
    m_changes.clear();
    m_bDone = true;
    m_nSize = 0;
}

void CElementCommit::Do() {
    Do(WorkProgress());
}

void CElementCommit::Undo() {
    Undo(WorkProgress());
}

bool CElementCommit::Do(const WorkProgress& progress) {
    for (const ListEntry& entry : m_lists)
        if (Applies(entry))
            entry.list->assign(entry.after.begin(), entry.after.end());
    for (const ElementEntry& entry : m_elements)
        if (Applies(entry))
            entry.element->RestoreState(*entry.after);
    for (std::size_t k = 0; k < m_changes.size(); ++k) {
        if (progress && !progress(k, m_changes.size())) {
            // The changes done go back, then the elements and lists.
            for (std::size_t j = k; j-- > 0;)
                m_changes[j]->Undo();
            for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
                if (Applies(*it))
                    it->element->RestoreState(*it->before);
            for (const ListEntry& entry : m_lists)
                if (Applies(entry))
                    entry.list->assign(entry.before.begin(), entry.before.end());
            return false;
        }
        m_changes[k]->Redo();
    }
    m_bDone = true;
    return true;
}

bool CElementCommit::Undo(const WorkProgress& progress) {
    const std::size_t count = m_changes.size();
    for (std::size_t k = 0; k < count; ++k) {
        if (progress && !progress(k, count)) {
            // The changes undone are made again, in their order.
            for (std::size_t j = count - k; j < count; ++j)
                m_changes[j]->Redo();
            return false;
        }
        m_changes[count - 1 - k]->Undo();
    }
    for (auto it = m_elements.rbegin(); it != m_elements.rend(); ++it)
        if (Applies(*it))
            it->element->RestoreState(*it->before);
    for (const ListEntry& entry : m_lists)
        if (Applies(entry))
            entry.list->assign(entry.before.begin(), entry.before.end());
    m_bDone = false;
    return true;
}

bool CElementCommit::MergeWith(CEditCommand& next) {
    auto* other = dynamic_cast<CElementCommit*>(&next);
    // Only edits of the same field of the same elements in a row merge, and never ones
    // that add or remove.
    if (!other || m_nMergeKey == kNoMerge || other->m_nMergeKey != m_nMergeKey ||
        !m_lists.empty() || !other->m_lists.empty())
        return false;
    // Typing into the same field of another element is another change: its own step.
    for (const ElementEntry& entry : other->m_elements)
        if (m_indexOf.find(entry.element) == m_indexOf.end())
            return false;
    for (ElementEntry& entry : other->m_elements)
        m_elements[m_indexOf.at(entry.element)].after = std::move(entry.after);
    other->m_elements.clear();
    other->m_indexOf.clear();
    for (auto& change : other->m_changes)
        m_changes.push_back(std::move(change));
    other->m_changes.clear();
    m_nSize = ComputeSize();
    return true;
}

bool CElementCommit::IsEmpty() const {
    return m_elements.empty() && m_lists.empty() && m_changes.empty();
}

void CElementCommit::DeleteHeld() {
    for (CPNElement* e : m_bDone ? m_removed : m_added)
        delete e;
    m_removed.clear();
    m_added.clear();
    for (CPNElement* e : m_discarded)
        delete e;
    m_discarded.clear();
}

std::size_t CElementCommit::ComputeSize() const {
    std::size_t size = sizeof(*this) + Text().size();
    for (const ElementEntry& entry : m_elements)
        size += sizeof(entry) + 32 + (entry.before ? entry.before->Size() : 0) +
                (entry.after ? entry.after->Size() : 0);
    for (const ListEntry& entry : m_lists)
        size += sizeof(entry) + (entry.before.size() + entry.after.size()) * sizeof(CPNElement*);
    for (const auto& change : m_changes)
        size += change->Size();
    return size;
}
