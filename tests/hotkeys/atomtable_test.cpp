#include "hotkeys/atomtable.h"
#include "hotkeys/platformerrors.h"

#include <gtest/gtest.h>

#include <string>

namespace jw {
namespace {

TEST(AtomTable, AtomsStartAt0xC000AndFreedValuesAreReused)
{
    AtomTable table;
    std::uint32_t error = 0;
    EXPECT_EQ(table.add("one", error), 0xC000);
    EXPECT_EQ(table.add("two", error), 0xC001);
    EXPECT_EQ(table.add("three", error), 0xC002);
    EXPECT_TRUE(table.remove(0xC001, error));
    EXPECT_EQ(table.add("four", error), 0xC001);
    EXPECT_EQ(table.name(0xC001), "four");
}

TEST(AtomTable, NamesIgnoreLetterCaseAndCountReferences)
{
    AtomTable table;
    std::uint32_t error = 0;
    const std::uint16_t atom = table.add("Hot_Key", error);
    EXPECT_EQ(table.add("hot_key", error), atom);
    EXPECT_EQ(table.add("HOT_KEY", error), atom);
    EXPECT_EQ(table.referenceCount(atom), 3);
    EXPECT_EQ(table.name(atom), "Hot_Key"); // the first spelling stays
    EXPECT_EQ(table.find("hOT_kEY"), atom);

    EXPECT_TRUE(table.remove(atom, error));
    EXPECT_TRUE(table.remove(atom, error));
    EXPECT_EQ(table.name(atom), "Hot_Key");
    EXPECT_TRUE(table.remove(atom, error));
    EXPECT_FALSE(table.name(atom).has_value());
    EXPECT_EQ(table.find("hot_key"), 0);
    EXPECT_EQ(table.size(), 0u);

    EXPECT_FALSE(table.remove(atom, error));
    EXPECT_EQ(error, platformerror::InvalidHandle);
}

TEST(AtomTable, NameLengthIsLimitedTo255Characters)
{
    AtomTable table;
    std::uint32_t error = 0;
    EXPECT_NE(table.add(std::string(255, 'a'), error), 0);
    EXPECT_EQ(table.add(std::string(256, 'b'), error), 0);
    EXPECT_EQ(error, platformerror::InvalidParameter);
    EXPECT_EQ(table.add("", error), 0);
    EXPECT_EQ(error, platformerror::InvalidName);
    EXPECT_EQ(table.size(), 1u);
}

TEST(AtomTable, FullTableRefusesNewNamesButCountsKnownOnes)
{
    AtomTable table;
    std::uint32_t error = 0;
    for (int i = 0xC000; i <= 0xFFFF; ++i)
        ASSERT_EQ(table.add("atom" + std::to_string(i), error), i);
    EXPECT_EQ(table.add("one more", error), 0);
    EXPECT_EQ(error, platformerror::NotEnoughMemory);
    EXPECT_EQ(table.add("ATOM49152", error), 0xC000);
    EXPECT_EQ(table.referenceCount(0xC000), 2);
}

} // namespace
} // namespace jw
