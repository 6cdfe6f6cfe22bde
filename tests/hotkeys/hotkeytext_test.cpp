#include "hotkeys/hotkeytext.h"

#include <gtest/gtest.h>

namespace jw {
namespace {

TEST(HotKeyText, LengthCountsUtf16Units)
{
    EXPECT_EQ(hotkeytext::utf16Length(""), 0u);
    EXPECT_EQ(hotkeytext::utf16Length("abc"), 3u);
    EXPECT_EQ(hotkeytext::utf16Length("\xC3\xA4"), 1u);           // a-umlaut
    EXPECT_EQ(hotkeytext::utf16Length("\xE2\x82\xAC"), 1u);       // euro sign
    EXPECT_EQ(hotkeytext::utf16Length("\xF0\x9F\x98\x80"), 2u);   // emoji: a surrogate pair
    EXPECT_EQ(hotkeytext::utf16Length("\xFF\xC3"), 2u);           // malformed bytes count one each
    EXPECT_EQ(hotkeytext::utf16Length("\xE2\x82x"), 3u);          // cut-off sequence
}

TEST(HotKeyText, PrefixNeverSplitsACharacter)
{
    EXPECT_EQ(hotkeytext::utf16Prefix("abcdef", 4), "abcd");
    EXPECT_EQ(hotkeytext::utf16Prefix("ab", 4), "ab");
    EXPECT_EQ(hotkeytext::utf16Prefix("a\xC3\xA4z", 2), "a\xC3\xA4");
    EXPECT_EQ(hotkeytext::utf16Prefix("a\xF0\x9F\x98\x80z", 2), "a");
    EXPECT_EQ(hotkeytext::utf16Prefix("a\xF0\x9F\x98\x80z", 3), "a\xF0\x9F\x98\x80");
}

TEST(HotKeyText, FileStemDropsFolderAndExtension)
{
    EXPECT_EQ(hotkeytext::fileStem("/usr/bin/jotwell"), "jotwell");
    EXPECT_EQ(hotkeytext::fileStem("C:\\Program Files\\Jotwell Pro\\JOTWELL.EXE"), "JOTWELL");
    EXPECT_EQ(hotkeytext::fileStem("/opt/notes.v2/pad.bin"), "pad");
    EXPECT_EQ(hotkeytext::fileStem("/home/u/.hidden"), ".hidden");
    EXPECT_EQ(hotkeytext::fileStem("plain"), "plain");
}

} // namespace
} // namespace jw
