#include "edit/CSnapshotCommand.h"

bool CSnapshotCommand::MergeWith(const CEditCommand& next) {
    const auto* snapshot = dynamic_cast<const CSnapshotCommand*>(&next);
    if (!snapshot || m_nMergeKey == kNoMerge || snapshot->m_nMergeKey != m_nMergeKey)
        return false;
    m_after = snapshot->m_after;
    return true;
}
