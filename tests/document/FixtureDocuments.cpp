#include "FixtureDocuments.h"

#include "document/CDocumentFile.h"
#include "document/CZerinDoc.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

FixtureDocument::FixtureDocument() : doc(std::make_unique<CZerinDoc>(frame)) {}
FixtureDocument::~FixtureDocument() = default;

std::vector<std::string> FixtureNames() {
    return {"empty", "net", "casegraph", "occurrence"};
}

void BuildFixture(const std::string& name, CZerinDoc& doc) {
    if (!CDocumentFile::LoadBytes(doc, FixtureBytes(name)))
        throw std::invalid_argument("no fixture " + name);
}

std::vector<std::uint8_t> FixtureBytes(const std::string& name) {
    return ReadBytes(std::string(ZERIN_TEST_DATA) + "/valid/" + name + ".zrn");
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
