#pragma once

#include "document/CFrameServices.h"

// A window that shows nothing: every call of the document is answered with its
// harmless default. The command line and the tests build on it.
class CNullFrameServices : public CFrameServices {};
