// The private-profile semantics: what a program reading the package's INI files
// gets back. tests/wine/profile_compare holds the same rules against the real
// GetPrivateProfileStringA; these cases say which rules the programs rely on.
#include "common/profile_file.h"

#include <gtest/gtest.h>

#include <string>

using common::profileGetString;

namespace {

std::string get(const std::string& text, const std::string& section, const std::string& key,
                const std::string& def = "DEF", std::size_t size = 200) {
    return profileGetString(text, section, key, def, size);
}

TEST(ProfileLookup, NamesMatchWithoutRegardToCase) {
    const std::string text = "[DEVICENAME]\r\nDEVICENUMBER=6\r\n";
    EXPECT_EQ(get(text, "devicename", "devicenumber"), "6");
    EXPECT_EQ(get(text, "DeviceName", "DeviceNumber"), "6");
    EXPECT_EQ(get(text, "DEVICENAME", "DEVICENUMBE"), "DEF");
    EXPECT_EQ(get(text, "DEVICENAM", "DEVICENUMBER"), "DEF");
}

TEST(ProfileLookup, FirstSectionOfANameIsTheOnlyOneSearched) {
    const std::string text = "[D]\nk=first\nk=second\n[E]\nx=1\n[d]\nk=third\nonly=later\n";
    EXPECT_EQ(get(text, "D", "k"), "first");
    // A key that only a later section of the same name has is not found.
    EXPECT_EQ(get(text, "D", "only"), "DEF");
    EXPECT_EQ(get(text, "E", "x"), "1");
}

TEST(ProfileLookup, KeysBeforeAnySectionBelongToTheUnnamedOne) {
    const std::string text = "orphan=1\n[S]\nk=v\n";
    EXPECT_EQ(get(text, "", "orphan"), "1");
    EXPECT_EQ(get(text, "  ", "orphan"), "1");
    EXPECT_EQ(get(text, "S", "orphan"), "DEF");
    EXPECT_EQ(get(text, "", "k"), "DEF");
}

TEST(ProfileLookup, BlanksAroundNamesAndValuesAreIgnored) {
    const std::string text = "  [ Spaced ]  \r\n   key one   =   value with blanks   \r\n"
                             "\tk2\t=\v\f x \f\r\n ctrlz = v\x1a\r\n\x1a";
    EXPECT_EQ(get(text, "Spaced", "key one"), "value with blanks");
    EXPECT_EQ(get(text, "\t Spaced ", "  key one\t"), "value with blanks");
    EXPECT_EQ(get(text, "Spaced", "keyone"), "DEF");
    EXPECT_EQ(get(text, "Spaced", "k2"), "x");
    EXPECT_EQ(get(text, "Spaced", "ctrlz"), "v");
}

TEST(ProfileLookup, InnerBlanksOfNamesCount) {
    const std::string text = "[ A  B ]\nkey  one=1\n";
    EXPECT_EQ(get(text, "A  B", "key  one"), "1");
    EXPECT_EQ(get(text, "A B", "key  one"), "DEF");
    EXPECT_EQ(get(text, "A  B", "key one"), "DEF");
}

TEST(ProfileLookup, EveryKindOfLineEndSeparatesLines) {
    for (const std::string& text :
         {std::string("[L]\r\na=1\r\nb=2\r\n"), std::string("[L]\na=1\nb=2"),
          std::string("[L]\ra=1\rb=2\r"), std::string("[L]\n\ra=1\r\r\n\nb=2")}) {
        EXPECT_EQ(get(text, "L", "a"), "1") << text;
        EXPECT_EQ(get(text, "L", "b"), "2") << text;
    }
}

TEST(ProfileLookup, LineWithoutEqualsSignHasNoValueAndHidesLaterKeys) {
    const std::string text = "[N]\nflag\nk\nk=later\nempty=\n";
    EXPECT_EQ(get(text, "N", "flag"), "DEF");
    // The first line named k wins although it has no value.
    EXPECT_EQ(get(text, "N", "k"), "DEF");
    // An empty value is a value: the default does not apply.
    EXPECT_EQ(get(text, "N", "empty"), "");
}

TEST(ProfileLookup, ValueRunsFromTheFirstEqualsSign) {
    const std::string text = "[K]\nk=a=b\n==x\nc = ; not a comment\n";
    EXPECT_EQ(get(text, "K", "k"), "a=b");
    EXPECT_EQ(get(text, "K", ""), "=x");
    EXPECT_EQ(get(text, "K", "c"), "; not a comment");
}

TEST(ProfileLookup, CommentLinesAreOnlyKeysWithOddNames) {
    const std::string text = "; note\n[C]\n;k=commented\n#h=hash\nk=real\n";
    EXPECT_EQ(get(text, "C", "k"), "real");
    EXPECT_EQ(get(text, "C", ";k"), "commented");
    EXPECT_EQ(get(text, "C", "#h"), "hash");
}

TEST(ProfileLookup, SectionHeaders) {
    const std::string text = "[A]junk\na=1\n[B]x]\nb=2\n[[C]]\nc=3\n[Broken\nafter=4\n[]\ne=5\n";
    EXPECT_EQ(get(text, "A", "a"), "1");
    // The name runs to the last ']'.
    EXPECT_EQ(get(text, "B]x", "b"), "2");
    EXPECT_EQ(get(text, "B", "b"), "DEF");
    EXPECT_EQ(get(text, "[C]", "c"), "3");
    // A header without ']' is a line of the section before it.
    EXPECT_EQ(get(text, "[C]", "after"), "4");
    EXPECT_EQ(get(text, "Broken", "after"), "DEF");
    // "[]" names the empty section, but the unnamed leading one answers first.
    EXPECT_EQ(get(text, "", "e"), "DEF");
}

TEST(ProfileLookup, NulBytesEndNamesAndValues) {
    using namespace std::string_literals;
    const std::string text = "[Y\0z]\na\0b=1\nv=x\0y\n"s;
    EXPECT_EQ(get(text, "Y", "a"), "1");
    EXPECT_EQ(get(text, "Y", "v"), "x");
}

TEST(ProfileLookup, Utf8ByteOrderMarkIsSkipped) {
    EXPECT_EQ(get("\xEF\xBB\xBF[B]\r\nk=v\r\n", "B", "k"), "v");
    // Elsewhere the same bytes are ordinary text.
    EXPECT_EQ(get("[B]\r\n\xEF\xBB\xBFk=v\r\n", "B", "k"), "DEF");
}

TEST(ProfileLookup, EmptyTextAnswersTheDefault) {
    EXPECT_EQ(get("", "S", "k", "0"), "0");
    EXPECT_EQ(get("", "S", "k", ""), "");
}

TEST(ProfileQuotes, AMatchingPairIsRemoved) {
    const std::string text = "[Q]\ndq=\"double\"\nsq='single'\nmixed=\"mixed'\nopen=\"open\n"
                             "close=close\"\none=\"\ntwo=\"\"\ninner=a\"b\"c\n"
                             "nested='\"x\"'\nspaced=  \" padded \"  \nthree=\"\"\"\n";
    EXPECT_EQ(get(text, "Q", "dq"), "double");
    EXPECT_EQ(get(text, "Q", "sq"), "single");
    EXPECT_EQ(get(text, "Q", "mixed"), "\"mixed'");
    EXPECT_EQ(get(text, "Q", "open"), "\"open");
    EXPECT_EQ(get(text, "Q", "close"), "close\"");
    EXPECT_EQ(get(text, "Q", "one"), "\"");
    EXPECT_EQ(get(text, "Q", "two"), "");
    EXPECT_EQ(get(text, "Q", "inner"), "a\"b\"c");
    EXPECT_EQ(get(text, "Q", "nested"), "\"x\"");
    EXPECT_EQ(get(text, "Q", "spaced"), " padded ");
    EXPECT_EQ(get(text, "Q", "three"), "\"");
}

TEST(ProfileBuffer, ValueIsCutToOneLessThanTheBuffer) {
    const std::string text = "[L]\nlong=0123456789\n";
    EXPECT_EQ(get(text, "L", "long", "d", 0), "");
    EXPECT_EQ(get(text, "L", "long", "d", 1), "");
    EXPECT_EQ(get(text, "L", "long", "d", 5), "0123");
    EXPECT_EQ(get(text, "L", "long", "d", 10), "012345678");
    EXPECT_EQ(get(text, "L", "long", "d", 11), "0123456789");
    EXPECT_EQ(get("", "L", "long", "default", 4), "def");
}

// The closing quote is dropped only when the value with it fits; a buffer one
// byte too small for that loses the last real character instead.
TEST(ProfileBuffer, QuotedValueAtTheBoundary) {
    const std::string text = "[Q]\nq=\"0123456789\"\n";
    EXPECT_EQ(get(text, "Q", "q", "d", 13), "0123456789");
    EXPECT_EQ(get(text, "Q", "q", "d", 12), "0123456789");
    EXPECT_EQ(get(text, "Q", "q", "d", 11), "012345678");
    EXPECT_EQ(get(text, "Q", "q", "d", 10), "012345678");
    EXPECT_EQ(get(text, "Q", "q", "d", 2), "0");
    EXPECT_EQ(get(text, "Q", "q", "d", 1), "");
    EXPECT_EQ(get("[Q]\nq=\"\"\n", "Q", "q", "d", 1), "");
}

TEST(ProfileDefault, TrailingSpacesAreDroppedButNotTheFirstCharacter) {
    EXPECT_EQ(get("", "S", "k", "def   "), "def");
    EXPECT_EQ(get("", "S", "k", " a b "), " a b");
    EXPECT_EQ(get("", "S", "k", "   "), " ");
    EXPECT_EQ(get("", "S", "k", "\ttab\t"), "\ttab\t");
    EXPECT_EQ(get("", "S", "k", "'q'  "), "q");
    EXPECT_EQ(get("", "S", "k", "\"quoted\"", 7), "quote");
}

TEST(ProfileDefault, UnopenableFileKeepsTheQuotes) {
    EXPECT_EQ(common::profileDefaultWhenUnopenable("\"q\"  ", 100), "\"q\"");
    EXPECT_EQ(common::profileDefaultWhenUnopenable("abc", 3), "ab");
    EXPECT_EQ(common::profileDefaultWhenUnopenable("abc", 0), "");
    EXPECT_EQ(common::profileDefaultWhenUnopenable("  ", 10), " ");
}

TEST(ProfileListing, SectionNamesSkipTheUnnamedOnes) {
    const std::string text = "orphan=1\n[A]\n[ B ]\n[]\n[ ]\n[C]x\n[Broken\n";
    EXPECT_EQ(common::profileSectionNames(text), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(common::profileSectionNames("").empty());
}

TEST(ProfileListing, KeyNamesSkipCommentsLinesWithoutValueAndEmptyNames) {
    const std::string text = "[N]\nflag\nk\nk=later\n;c=1\n#h=2\n=x\n\"q\"=3\n[M]\nm=1\n";
    EXPECT_EQ(common::profileKeyNames(text, "n"), (std::vector<std::string>{"k", "#h", "\"q\""}));
    // The listing takes the section name exactly as given.
    EXPECT_TRUE(common::profileKeyNames(text, " N").empty());
    EXPECT_TRUE(common::profileKeyNames(text, "missing").empty());
}

TEST(ProfileWrite, ReplacesTheFirstKeyOfTheFirstSection) {
    const std::string text = "[S]\r\nk=old\r\nk=second\r\nother=1\r\n[S]\r\nk=third\r\n";
    const std::string out = common::profileSetString(text, "s", "K", "new");
    EXPECT_EQ(get(out, "S", "k"), "new");
    EXPECT_EQ(get(out, "S", "other"), "1");
    // The key keeps the name it was written with.
    EXPECT_EQ(common::profileKeyNames(out, "S").front(), "k");
    EXPECT_NE(out.find("k=second\r\nother=1\r\n[S]\r\nk=third\r\n"), std::string::npos) << out;
}

TEST(ProfileWrite, AddsAMissingKeyAtTheEndOfItsSection) {
    const std::string text = "[S]\r\na=1\r\n\r\n[T]\r\nb=2\r\n";
    const std::string out = common::profileSetString(text, "S", "new", "v");
    EXPECT_EQ(out, "[S]\r\na=1\r\nnew=v\r\n\r\n[T]\r\nb=2\r\n");
    EXPECT_EQ(get(out, "S", "new"), "v");
    EXPECT_EQ(get(out, "T", "b"), "2");
}

TEST(ProfileWrite, AddsAMissingSectionAtTheEnd) {
    EXPECT_EQ(common::profileSetString("", "Ports", "COM1:", "9600,n,8,1"),
              "[Ports]\r\nCOM1:=9600,n,8,1\r\n");
    const std::string out = common::profileSetString("[A]\na=1", "B", "b", "2");
    EXPECT_EQ(get(out, "A", "a"), "1");
    EXPECT_EQ(get(out, "B", "b"), "2");
}

TEST(ProfileWrite, KeyInTheLastLineWithoutLineEnd) {
    const std::string out = common::profileSetString("[A]\r\na=1", "A", "b", "2");
    EXPECT_EQ(get(out, "A", "a"), "1");
    EXPECT_EQ(get(out, "A", "b"), "2");
}

TEST(ProfileWrite, WrittenValuesReadBack) {
    std::string text;
    text = common::profileSetString(text, "Ports", "COM1:", "9600,n,8,1,p");
    text = common::profileSetString(text, "Ports", "COM2:", "19200,e,7,2,x");
    text = common::profileSetString(text, "windows", "device", "QRT,drv,USB_QRT_1");
    text = common::profileSetString(text, "Ports", "COM1:", "115200,n,8,1,p");
    EXPECT_EQ(get(text, "Ports", "COM1:"), "115200,n,8,1,p");
    EXPECT_EQ(get(text, "Ports", "COM2:"), "19200,e,7,2,x");
    EXPECT_EQ(get(text, "windows", "device"), "QRT,drv,USB_QRT_1");
    EXPECT_EQ(common::profileKeyNames(text, "Ports"), (std::vector<std::string>{"COM1:", "COM2:"}));
}

} // namespace
