#pragma once

#include "views/CDiagramView.h"

// The net design editor: drawing tools, selection and the token game.
class CZerinNetDesignView : public CDiagramView {
    Q_OBJECT

public:
    CZerinNetDesignView(CZerinDoc& doc, CViewHost& host, QWidget* pParent = nullptr);
};
