#pragma once

#include "model/CPropertiesHost.h"

#include <utility>
#include <vector>

// Remembers the properties pages the elements asked for.
class RecordingHost : public CPropertiesHost {
public:
    void ShowPropertiesPage(int kind, CPNElement* element) override {
        requests.emplace_back(kind, element);
    }

    std::vector<std::pair<int, CPNElement*>> requests;
};
