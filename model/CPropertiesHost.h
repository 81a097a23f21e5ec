#pragma once

class CPNElement;

// The properties pages an element can ask for.
constexpr int PAGE_POLYGON = 0;
constexpr int PAGE_LABEL = 1;
constexpr int PAGE_CONDITION = 2;
constexpr int PAGE_EVENT = 3;
constexpr int PAGE_HIDE = 4;
constexpr int PAGE_SIMULATION = 5;

// Whoever shows the properties pages (the main frame). Elements ask it for the page
// that edits them; the model knows nothing of the window behind it.
class CPropertiesHost {
public:
    virtual ~CPropertiesHost() = default;

    // Shows the page of the given kind for the element (null for the pages that edit
    // no element); PAGE_HIDE hides the page.
    virtual void ShowPropertiesPage(int kind, CPNElement* element) = 0;
};
