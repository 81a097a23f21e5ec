#include "CObject.h"

void CObject::Serialize(CArchive&) {}
