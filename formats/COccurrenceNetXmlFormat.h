#pragma once

#include "formats/CExportFormat.h"

// The "occurrencenet" XML of the recorded run: its places and occurrences, laid out as
// the occurrence net view lays them out.
class COccurrenceNetXmlFormat : public CExportFormat {
public:
    COccurrenceNetXmlFormat();
    CFileResult Write(const CExportInput& input, const std::string& path) const override;
};
