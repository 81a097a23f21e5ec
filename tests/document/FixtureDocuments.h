#pragma once

// The committed documents of tests/data/valid: each one a shape a user's file has (an
// empty document, a drawn net, a net with its computed and laid-out case graph, one with
// a recorded occurrence net).

#include "document/CFrameServices.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CZerinDoc;

// A frame that shows nothing.
class SilentFrame : public CFrameServices {};

// A document with its own silent frame.
struct FixtureDocument {
    SilentFrame frame;
    std::unique_ptr<CZerinDoc> doc;

    FixtureDocument();
    ~FixtureDocument();
    FixtureDocument(const FixtureDocument&) = delete;
    FixtureDocument& operator=(const FixtureDocument&) = delete;
};

// The fixture names, in the order of tests/data/valid/.
std::vector<std::string> FixtureNames();
// Loads the named fixture into the document.
void BuildFixture(const std::string& name, CZerinDoc& doc);
// The stored bytes of the named fixture.
std::vector<std::uint8_t> FixtureBytes(const std::string& name);

// Reads a whole file; empty when it cannot be read.
std::vector<std::uint8_t> ReadBytes(const std::string& path);
