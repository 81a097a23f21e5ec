#pragma once

#include "formats/CExportFormatRegistry.h"

// The program's export formats, registered on the first call in the order of the Export
// menus: each diagram's menu lists the formats that write it in this order. More formats
// may be added before the menus and the command line are made.
CExportFormatRegistry& ExportFormats();
