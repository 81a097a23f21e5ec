#include "model/CNoEditRecorder.h"

#include "model/CPNElement.h"

void CNoEditRecorder::Discard(CPNElement* element) {
    delete element;
}

CNoEditRecorder& CNoEditRecorder::Instance() {
    static CNoEditRecorder recorder;
    return recorder;
}
