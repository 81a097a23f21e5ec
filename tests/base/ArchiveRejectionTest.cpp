#include "ArchiveTestObjects.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <stdexcept>

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

void ReadDocument(CArchive& ar) {
    CTestDocument doc;
    doc.Serialize(ar);
}

// A document with shared and mutual references, strings and points.
Bytes ValidDocument() {
    CTestCondition condition;
    CTestLabel label, free;
    condition.m_ptPos = {100, 50};
    condition.m_pLabel = &label;
    label.m_strText = "b1 ž";
    label.m_pOwner = &condition;
    free.m_strText = "note";
    CTestLeaf leaf;
    CTestDocument doc;
    doc.m_strTitle = "net";
    doc.m_listElements = {&label, &condition, &free};
    doc.m_arrPoints = {{1, 2}, {3, 4}};
    CArchive ar;
    doc.Serialize(ar);
    ar.WriteObject(&leaf);
    ar.WriteObject(&leaf);
    return ar.GetBuffer();
}

void ReadValidDocument(CArchive& ar) {
    ReadDocument(ar);
    ar.ReadObject<CTestLeaf>();
    ar.ReadObject<CTestLeaf>();
}

} // namespace

TEST(ArchiveRejectionTest, EveryTruncationIsRefused) {
    Bytes bytes = ValidDocument();
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        Bytes truncated(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        std::optional<Cause> cause = LoadCause(truncated, ReadValidDocument);
        ASSERT_TRUE(cause.has_value()) << "truncated at " << length;
        // A count may already be seen not to fit before the end is reached.
        EXPECT_TRUE(*cause == Cause::EndOfFile || *cause == Cause::CountTooLarge)
            << "truncated at " << length;
    }
}

// Every damaged byte either still reads or is refused with an archive exception: no
// other exception, no crash (the sanitizer builds run this too).
TEST(ArchiveRejectionTest, CorruptedBytesNeverCrash) {
    Bytes bytes = ValidDocument();
    int refused = 0, tries = 0;
    for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
        for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF, bytes[offset] ^ 0x01}) {
            Bytes corrupted = bytes;
            corrupted[offset] = static_cast<std::uint8_t>(value);
            refused += LoadCause(corrupted, ReadValidDocument).has_value();
            ++tries;
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, tries);
}

TEST(ArchiveRejectionTest, BadReferenceTags) {
    auto readCondition = [](CArchive& ar) { ar.ReadObject<CTestCondition>(); };
    // A back-reference beyond the table, in both forms.
    EXPECT_EQ(LoadCause(MakeBytes({0x05, 0x00}), readCondition), Cause::BadIndex);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0x7F, 0x00, 0x00, 0x00, 0x40}), readCondition),
              Cause::BadIndex);
    // A new object of a class index that is null or beyond the table.
    EXPECT_EQ(LoadCause(MakeBytes({0x00, 0x80}), readCondition), Cause::BadIndex);
    EXPECT_EQ(LoadCause(MakeBytes({0x05, 0x80}), readCondition), Cause::BadIndex);
    EXPECT_EQ(LoadCause(MakeBytes({0xFE, 0xFF}), readCondition), Cause::BadIndex);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}), readCondition),
              Cause::BadIndex);

    // After one condition the table holds its class at 1 and the object at 2.
    Bytes stored = NewClassTag("CTestCondition");
    Append(stored, MakeBytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    auto readTwo = [](CArchive& ar) {
        ar.ReadObject<CTestCondition>();
        ar.ReadObject<CTestCondition>();
    };
    for (Bytes tag : {MakeBytes({0x01, 0x00}), // an object reference to the class entry
                      MakeBytes({0x02, 0x80}), // a class reference to the object entry
                      MakeBytes({0x03, 0x00}), // the next, unused index
                      MakeBytes({0xFF, 0x7F, 0x01, 0x00, 0x00, 0x00}),
                      MakeBytes({0xFF, 0x7F, 0x02, 0x00, 0x00, 0x80})}) {
        Bytes bytes = stored;
        Append(bytes, tag);
        EXPECT_EQ(LoadCause(bytes, readTwo), Cause::BadIndex);
    }
    Bytes valid = stored;
    Append(valid, MakeBytes({0xFF, 0x7F, 0x02, 0x00, 0x00, 0x00})); // long back-reference
    EXPECT_EQ(LoadCause(valid, readTwo), std::nullopt);
}

TEST(ArchiveRejectionTest, UnknownAndUnexpectedClasses) {
    auto readElement = [](CArchive& ar) { ar.ReadObject<CTestElement>(); };
    EXPECT_EQ(LoadCause(NewClassTag("CTestNothing"), readElement), Cause::BadClass);
    EXPECT_EQ(LoadCause(NewClassTag(""), readElement), Cause::BadClass);
    // The stored name is compared exactly.
    EXPECT_EQ(LoadCause(NewClassTag("ctestlabel"), readElement), Cause::BadClass);

    // A name longer than the bytes left.
    Bytes longName = MakeBytes({0xFF, 0xFF, 0x01, 0x00, 0xFF, 0xFF, 'C', 'T'});
    EXPECT_EQ(LoadCause(longName, readElement), Cause::EndOfFile);

    // A leaf is no element; the rejected object is deleted, never handed out.
    Bytes leaf = NewClassTag("CTestLeaf");
    Append(leaf, MakeBytes({0, 0, 0, 0}));
    CArchive ar(leaf, Registry());
    try {
        ar.ReadObject<CTestElement>();
        FAIL() << "a leaf was taken for an element";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.GetCause(), Cause::BadClass);
    }
    EXPECT_TRUE(ar.GetLoadedObjects().empty());

    // A condition whose label reference is another condition.
    Bytes bytes = NewClassTag("CTestCondition");
    Append(bytes, MakeBytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x80}));
    Append(bytes, MakeBytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(LoadCause(bytes, readElement), Cause::BadClass);

    // A back-reference to an object of the wrong class.
    Bytes twice = NewClassTag("CTestLeaf");
    Append(twice, MakeBytes({0, 0, 0, 0, 0x02, 0x00}));
    auto leafThenLabel = [](CArchive& in) {
        in.ReadObject<CTestLeaf>();
        in.ReadObject<CTestLabel>();
    };
    EXPECT_EQ(LoadCause(twice, leafThenLabel), Cause::BadClass);
}

TEST(ArchiveRejectionTest, CountsThatCannotFit) {
    auto count = [](std::size_t minBytes) {
        return [minBytes](CArchive& ar) { ar.ReadCount(minBytes); };
    };
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), count(1)),
              Cause::CountTooLarge);
    EXPECT_EQ(LoadCause(MakeBytes({0x03, 0x00, 1, 2, 3, 4, 5}), count(2)), Cause::CountTooLarge);
    EXPECT_EQ(LoadCause(MakeBytes({0x02, 0x00, 1, 2, 3, 4}), count(2)), std::nullopt);
    EXPECT_EQ(LoadCause(MakeBytes({0x01, 0x00}), count(0)), Cause::CountTooLarge);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0x01}), count(1)), Cause::EndOfFile);

    auto int32Count = [](CArchive& ar) { ar.ReadInt32Count(2); };
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0xFF, 0xFF}), int32Count), Cause::CountTooLarge);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0xFF, 0x7F}), int32Count), Cause::CountTooLarge);
    EXPECT_EQ(LoadCause(MakeBytes({1, 0, 0, 0, 0, 0}), int32Count), std::nullopt);

    auto points = [](CArchive& ar) { ar.ReadPointArray(); };
    Bytes twoPoints = MakeBytes({2, 0});
    twoPoints.resize(2 + 15);
    EXPECT_EQ(LoadCause(twoPoints, points), Cause::CountTooLarge);
    twoPoints.resize(2 + 16);
    EXPECT_EQ(LoadCause(twoPoints, points), std::nullopt);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}), points),
              Cause::CountTooLarge);

    auto list = [](CArchive& ar) {
        std::vector<CTestElement*> elements;
        ar.ReadObjectList<CTestElement>(elements);
    };
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0x00, 0x00, 0x00, 0x01, 0, 0}), list),
              Cause::CountTooLarge);
}

TEST(ArchiveRejectionTest, StringLengthsThatCannotFit) {
    auto read = [](CArchive& ar) { ar.ReadString(); };
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), read),
              Cause::EndOfFile);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0x10, 0x00, 'a', 'b'}), read), Cause::EndOfFile);
    EXPECT_EQ(LoadCause(MakeBytes({0x03, 'a', 'b'}), read), Cause::EndOfFile);
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFF}), read), Cause::EndOfFile);
    // The wide-character mark is no length this file uses.
    EXPECT_EQ(LoadCause(MakeBytes({0xFF, 0xFE, 0xFF, 0x01, 'a'}), read), Cause::Generic);
}

TEST(ArchiveRejectionTest, ListsRefuseNullAndRepeatedEntries) {
    auto list = [](CArchive& ar) {
        std::vector<CTestElement*> elements;
        ar.ReadObjectList<CTestElement>(elements);
    };
    EXPECT_EQ(LoadCause(MakeBytes({0x01, 0x00, 0x00, 0x00}), list), Cause::BadIndex);
    Bytes repeated = MakeBytes({0x02, 0x00});
    Append(repeated, NewClassTag("CTestElement"));
    Append(repeated, MakeBytes({0, 0, 0, 0, 0, 0, 0, 0, 0x02, 0x00}));
    EXPECT_EQ(LoadCause(repeated, list), Cause::InconsistentStructure);

    // Nor does the writer store such a list.
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
