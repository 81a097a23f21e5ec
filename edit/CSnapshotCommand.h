#pragma once

#include "edit/CEditCommand.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// An edit kept as the document's stored bytes before and after it: undoing puts the
// document back exactly as it was (elements with their edges, labels and attachments
// in place and in drawing order, every property), redoing as it became. Edits with the
// same merge key that follow each other (the keys of one field) are one command.
class CSnapshotCommand : public CEditCommand {
public:
    using Bytes = std::vector<std::uint8_t>;
    // A state is shared by the command that ends in it and the one that starts from it.
    using State = std::shared_ptr<const Bytes>;
    using Apply = std::function<void(const State&)>;

    CSnapshotCommand(std::string text, int nMergeKey, State before, State after, Apply apply)
        : CEditCommand(std::move(text)), m_nMergeKey(nMergeKey), m_before(std::move(before)),
          m_after(std::move(after)), m_apply(std::move(apply)) {}

    void Do() override { m_apply(m_after); }
    void Undo() override { m_apply(m_before); }
    bool MergeWith(const CEditCommand& next) override;
    // The state it ends in (the one it starts from belongs to the command before).
    std::size_t Size() const override { return m_after ? m_after->size() : 0; }

    // No key: never merged.
    static constexpr int kNoMerge = 0;

private:
    int m_nMergeKey;
    State m_before;
    State m_after;
    Apply m_apply;
};
