#include "ArchiveTestObjects.h"

#include <gtest/gtest.h>

#include <stdexcept>

TEST(ClassRegistryTest, CreatesRegisteredClassesByName) {
    CClassRegistry registry = MakeTestRegistry();
    EXPECT_EQ(registry.GetCount(), 5u);
    EXPECT_TRUE(registry.IsRegistered("CTestLabel"));
    EXPECT_FALSE(registry.IsRegistered("CTestlabel"));
    EXPECT_EQ(registry.Find("CPNLabel"), nullptr);
    EXPECT_EQ(registry.Create("CPNLabel"), nullptr);

    std::unique_ptr<CObject> object = registry.Create("CTestOtherLeaf");
    ASSERT_NE(dynamic_cast<CTestOtherLeaf*>(object.get()), nullptr);
    EXPECT_STREQ(object->GetClassName(), "CTestOtherLeaf");
    EXPECT_NE(registry.Create("CTestOtherLeaf"), object); // a new object each time
}

TEST(ArchiveExceptionTest, FormatFaultsAndOtherFailuresHaveTheirMessages) {
    using Cause = CArchiveException::Cause;
    for (Cause cause : {Cause::Generic, Cause::EndOfFile, Cause::BadIndex, Cause::BadClass,
                        Cause::BadSchema, Cause::CountTooLarge, Cause::InconsistentStructure}) {
        CArchiveException e(cause, "detail");
        EXPECT_EQ(e.GetCause(), cause);
        EXPECT_STREQ(CArchiveException::GetUserMessage(cause), "Unexpected file format.");
        EXPECT_STREQ(CArchiveException::GetUserMessage(e), "Unexpected file format.");
        EXPECT_NE(std::string(e.what()).find("detail"), std::string::npos);
    }
    EXPECT_STREQ(CArchiveException::GetUserMessage(std::runtime_error("disk")),
                 "Failed to open document.");
    EXPECT_STREQ(CArchiveException::GetOpenFailedMessage(), "Failed to open document.");
}
