#pragma once

#include "edit/CEditCommand.h"

#include <cstdint>
#include <functional>
#include <vector>

// An edit kept as the document's stored bytes before and after it: undoing puts the
// document back exactly as it was (elements with their edges, labels and attachments
// in place and in drawing order, every property), redoing as it became. Edits with the
// same merge key that follow each other (the keys of one field) are one command.
class CSnapshotCommand : public CEditCommand {
public:
    using Bytes = std::vector<std::uint8_t>;
    using Apply = std::function<void(const Bytes&)>;

    CSnapshotCommand(std::string text, int nMergeKey, Bytes before, Bytes after, Apply apply)
        : CEditCommand(std::move(text)), m_nMergeKey(nMergeKey), m_before(std::move(before)),
          m_after(std::move(after)), m_apply(std::move(apply)) {}

    void Do() override { m_apply(m_after); }
    void Undo() override { m_apply(m_before); }
    bool MergeWith(const CEditCommand& next) override;

    // No key: never merged.
    static constexpr int kNoMerge = 0;

private:
    int m_nMergeKey;
    Bytes m_before;
    Bytes m_after;
    Apply m_apply;
};
