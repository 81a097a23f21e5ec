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
