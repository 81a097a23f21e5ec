#pragma once

#include "model/CEditRecorder.h"

// For work outside any history (the command line, scratch documents): records nothing
// and deletes what is discarded.
class CNoEditRecorder final : public CEditRecorder {
public:
    void Modify(CPNElement*) override {}
    void ModifyList(std::list<CPNElement*>&) override {}
    void Discard(CPNElement* element) override;
    void Record(std::unique_ptr<CEditChange>) override {}
    static CNoEditRecorder& Instance();
};
