#include "formats/CExportFormatRegistry.h"

#include <algorithm>
#include <cctype>

namespace {

// The extension of the file name, lower case, without the dot; empty for none.
std::string LowerExtension(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

bool CExportFormatRegistry::Add(std::unique_ptr<CExportFormat> format) {
    if (!format || Find(format->GetId()))
        return false;
    m_arrFormats.push_back(std::move(format));
    return true;
}

const CExportFormat* CExportFormatRegistry::Find(const std::string& id) const {
    for (const auto& format : m_arrFormats)
        if (format->GetId() == id)
            return format.get();
    return nullptr;
}

std::vector<const CExportFormat*> CExportFormatRegistry::FormatsOf(int nDiagram) const {
    std::vector<const CExportFormat*> formats;
    for (const auto& format : m_arrFormats)
        if (format->Writes(nDiagram))
            formats.push_back(format.get());
    return formats;
}

const CExportFormat* CExportFormatRegistry::FindPicture(const std::string& path,
                                                        int nDiagram) const {
    const std::string ext = LowerExtension(path);
    for (const CExportFormat* format : FormatsOf(nDiagram))
        if (format->Draws() && format->GetExtension() == ext)
            return format;
    return nullptr;
}
