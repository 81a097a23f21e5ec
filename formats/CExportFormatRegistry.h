#pragma once

#include "formats/CExportFormat.h"

#include <memory>
#include <string>
#include <vector>

// The export formats in the order of the menus: each diagram's Export group lists the
// formats that write it in the order they were added. Formats are added once, before the
// menus and the command line are made from them; the registry owns them.
class CExportFormatRegistry {
public:
    // Adds the format after the others; false, and the format dropped, when a format of
    // its id is there already.
    bool Add(std::unique_ptr<CExportFormat> format);

    const std::vector<std::unique_ptr<CExportFormat>>& GetFormats() const { return m_arrFormats; }
    // The format of the id; null for none.
    const CExportFormat* Find(const std::string& id) const;
    // The formats that write the diagram, in order.
    std::vector<const CExportFormat*> FormatsOf(int nDiagram) const;
    // The picture format of the diagram whose extension the file name has, in any letter
    // case; null for none.
    const CExportFormat* FindPicture(const std::string& path, int nDiagram) const;

private:
    std::vector<std::unique_ptr<CExportFormat>> m_arrFormats;
};
