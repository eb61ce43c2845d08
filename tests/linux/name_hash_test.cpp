// The stand-in's GET_HASH_KEY must be the game's, or the checker and the dry
// run show hashes the game would not compute.
#include "config/text.h"

#include <gtest/gtest.h>

TEST(NameHash, MatchesPublishedNameHashes) {
    EXPECT_EQ(nameHash("prop_tree_pine_01"), 0xA0542754u);
    EXPECT_EQ(nameHash("prop_rus_olive"), 0xBA07360Du);
    EXPECT_EQ(nameHash("prop_palm_fan_02_a"), 0x8A9C2061u);
    EXPECT_EQ(nameHash("PROP_Tree_Pine_01"), 0xA0542754u) << "ASCII letters fold to lower case";
}

TEST(NameHash, ABackslashCountsAsASlash) {
    // One byte "/" (0x2F) worked by hand: 0x2F, +<<10 0xBC2F, ^>>6 0xBEDF,
    // +<<3 0x6B5D7, ^>>11 0x6B501, +<<15 0x5A873501.
    EXPECT_EQ(nameHash("/"), 0x5A873501u);
    EXPECT_EQ(nameHash("\\"), 0x5A873501u);
    EXPECT_EQ(nameHash("prop\\x"), nameHash("prop/x"));
}

TEST(NameHash, BytesAboveAsciiAreLeftAsTheyAre) {
    // 0xC9 is a capital E with an acute accent in Windows-1252: not folded to 0xE9.
    EXPECT_EQ(nameHash("\xC9"), 0x346FE8A7u);
    EXPECT_NE(nameHash("\xC9"), nameHash("\xE9"));
}
