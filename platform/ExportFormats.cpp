#include "platform/ExportFormats.h"

#include "formats/CCaseClassXmlFormat.h"
#include "formats/CCaseGraphXmlFormat.h"
#include "formats/CDotFormat.h"
#include "formats/CGraphMLFormat.h"
#include "formats/CNetDesignXmlFormat.h"
#include "formats/COccurrenceNetXmlFormat.h"
#include "formats/CPnmlFormat.h"
#include "formats/CStepCsvFormat.h"
#include "platform/CPictureFormat.h"

#include <memory>

namespace {

CExportFormatRegistry MakeFormats() {
    using EPicture = CPictureExport::EPicture;
    CExportFormatRegistry formats;
    formats.Add(std::make_unique<CNetDesignXmlFormat>());
    formats.Add(std::make_unique<CCaseGraphXmlFormat>());
    formats.Add(std::make_unique<COccurrenceNetXmlFormat>());
    formats.Add(std::make_unique<CCaseClassXmlFormat>());
    formats.Add(std::make_unique<CPnmlFormat>());
    formats.Add(std::make_unique<CGraphMLFormat>());
    formats.Add(std::make_unique<CDotFormat>());
    formats.Add(std::make_unique<CPictureFormat>(EPicture::Emf));
    formats.Add(std::make_unique<CPictureFormat>(EPicture::Svg));
    formats.Add(std::make_unique<CPictureFormat>(EPicture::Pdf));
    formats.Add(std::make_unique<CPictureFormat>(EPicture::Png));
    formats.Add(std::make_unique<CPictureFormat>(EPicture::Tikz));
    formats.Add(std::make_unique<CStepCsvFormat>());
    return formats;
}

} // namespace

CExportFormatRegistry& ExportFormats() {
    static CExportFormatRegistry formats = MakeFormats();
    return formats;
}
