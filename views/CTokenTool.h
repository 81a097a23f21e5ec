#pragma once

#include "views/CTool.h"

// Token: a press on a condition gives it a token or takes its token away.
class CTokenTool : public CTool {
public:
    bool Press(CToolHost& host, CPoint pt) override;
};
