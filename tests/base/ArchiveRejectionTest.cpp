#include "ArchiveTestObjects.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>

// The refusals every document file shows are tested on damaged documents
// (DocumentFileTest, tests/data/corrupt); these are the ones no document can show.

namespace {

using Cause = CArchiveException::Cause;

const CClassRegistry& Registry() {
    static const CClassRegistry registry = MakeTestRegistry();
    return registry;
}

// Loads the bytes with the reader; returns the cause it threw, or nothing. Whatever the
// load created is deleted again, so leak checking sees every object accounted for.
std::optional<Cause> LoadCause(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
    CArchive ar(bytes, Registry());
    std::optional<Cause> cause;
    try {
        read(ar);
    } catch (const CArchiveException& e) {
        cause = e.GetCause();
    }
    DeleteLoaded(ar);
    return cause;
}

} // namespace

// What the damaged document files of tests/data/corrupt cannot show: a string marked as
// wide characters, and the writer refusing a list it would have to refuse reading.
TEST(ArchiveRejectionTest, WideStringsAndListsNoReaderTakes) {
    EXPECT_EQ(
        LoadCause(MakeBytes({0xFF, 0xFE, 0xFF, 0x01, 'a'}), [](CArchive& ar) { ar.ReadString(); }),
        Cause::Generic);
    CTestElement element;
    CArchive ar;
    EXPECT_THROW(ar.WriteObjectList(std::vector<CTestElement*>{&element, nullptr}),
                 std::invalid_argument);
    EXPECT_THROW(ar.WriteObjectList(std::vector<CTestElement*>{&element, &element}),
                 std::invalid_argument);
    EXPECT_TRUE(ar.GetBuffer().empty());
}

TEST(ArchiveRejectionTest, DeepNestingIsRefused) {
    // condition, label, condition, label, ... each new object inside the previous record.
    auto chain = [](int pairs) {
        Bytes bytes;
        for (int i = 0; i < pairs; ++i) {
            Append(bytes, i == 0 ? NewClassTag("CTestCondition") : MakeBytes({0x01, 0x80}));
            Append(bytes, Bytes(12, 0));
            Append(bytes, i == 0 ? NewClassTag("CTestLabel") : MakeBytes({0x03, 0x80}));
            Append(bytes, Bytes(9, 0));
        }
        Append(bytes, MakeBytes({0, 0}));
        return bytes;
    };
    auto read = [](CArchive& ar) { ar.ReadObject<CTestCondition>(); };
    EXPECT_EQ(LoadCause(chain(CArchive::kMaxNesting / 2), read), std::nullopt);
    EXPECT_EQ(LoadCause(chain(CArchive::kMaxNesting / 2 + 1), read), Cause::Generic);
    EXPECT_EQ(LoadCause(chain(20000), read), Cause::Generic);
}
