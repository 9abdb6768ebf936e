// Our private-profile code against kernel32's: the same operations on two copies of one file must read the same
// values, answer the same and leave the same bytes on disk.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/portable/profile_file.h"
#include "support/file_bytes.h"
#include "support/scratch_folder.h"

namespace {

const char* const kDefault = "<default>";

class ProfileDifferential : public test::ScratchFolderTest {
protected:
    std::string kernelFile = folder.path("kernel.ini");
    std::string oursFile = folder.path("ours.ini");

    void start(const std::string& bytes) {
        test::writeFile(kernelFile, bytes);
        test::writeFile(oursFile, bytes);
    }

    static std::string kernelRead(const std::string& file, const std::string& section, const std::string& key,
                                  const char* def) {
        std::vector<char> buffer(1 << 20);
        const DWORD got = GetPrivateProfileStringA(section.c_str(), key.c_str(), def, buffer.data(),
                                                   static_cast<DWORD>(buffer.size()), file.c_str());
        return std::string(buffer.data(), got);
    }

    // Both reads; gives kernel32's value after checking that ours agrees.
    std::string read(const std::string& section, const std::string& key, const char* def = kDefault) {
        const std::string kernel = kernelRead(kernelFile, section, key, def);
        const std::string ours = profile::read(oursFile, section, key, def);
        EXPECT_EQ(kernel, ours) << "reading [" << section << "] " << key << "\nfile:\n" << test::readFile(oursFile);
        return kernel;
    }

    // Both writes; gives the bytes kernel32 left after checking that ours left the same and answered the same.
    std::string write(const std::string& section, const std::string& key, const std::string& value) {
        const std::string before = test::readFile(oursFile);
        const bool kernel =
            WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), kernelFile.c_str()) != 0;
        const bool ours = profile::write(oursFile, section, key, value);
        EXPECT_EQ(kernel, ours) << "writing [" << section << "] " << key << "=" << value;
        const std::string bytes = test::readFile(kernelFile);
        EXPECT_EQ(bytes, test::readFile(oursFile)) << "writing [" << section << "] " << key << "=" << value
                                              << "\ninto:\n" << before;
        return bytes;
    }
};

} // namespace

TEST_F(ProfileDifferential, MissingFileReadsDefaultsAndIsCreatedByAWrite) {
    EXPECT_EQ(kDefault, read("S", "k"));
    EXPECT_EQ("", read("S", "k", ""));
    EXPECT_EQ("[S]\r\nk=v\r\n", write("S", "k", "v"));
    EXPECT_EQ("[S]\r\nk=v\r\nj=w\r\n", write("s", "j", "w"));
    EXPECT_EQ("[S]\r\nk=v\r\nj=w\r\n[T]\r\nk=x\r\n", write("T", "k", "x"));
    EXPECT_EQ("v", read("S", "K"));
}

TEST_F(ProfileDifferential, MissingFolderIsNotCreated) {
    kernelFile = folder.path("kernel\\vuvo.ini");
    oursFile = folder.path("ours\\vuvo.ini");
    EXPECT_EQ(kDefault, read("S", "k"));
    EXPECT_EQ("(missing)", write("S", "k", "v"));
    EXPECT_FALSE(std::filesystem::exists(folder.path("kernel")));
    EXPECT_FALSE(std::filesystem::exists(folder.path("ours")));
}

TEST_F(ProfileDifferential, EmptyAndBlankFiles) {
    start("");
    EXPECT_EQ(kDefault, read("S", "k"));
    EXPECT_EQ("[S]\r\nk=v\r\n", write("S", "k", "v"));
    start("\r\n\r\n   \r\n");
    write("S", "k", "v");
    start("\n\n");
    write("S", "k", "v");
}

TEST_F(ProfileDifferential, NamesIgnoreLetterCaseAndKeepTheFileSpelling) {
    start("[Main]\r\nCallSign=DL1ABC\r\n");
    EXPECT_EQ("DL1ABC", read("main", "callsign"));
    EXPECT_EQ("DL1ABC", read("MAIN", "CALLSIGN"));
    EXPECT_EQ("[Main]\r\nCallSign=K1AR\r\n", write("mAiN", "CALLSIGN", "K1AR"));
    EXPECT_EQ("[Main]\r\nCallSign=K1AR\r\nZone=14\r\n", write("MAIN", "Zone", "14"));
    EXPECT_EQ("[Main]\r\nCallSign=K1AR\r\nZone=15\r\n", write("main", "zONE", "15"));
}

TEST_F(ProfileDifferential, BlanksAroundNamesAndValues) {
    start("[Main]\r\n  CallSign =  DL1ABC  \r\n\tZone\t=\t14\t\r\n[ Other ]\r\nempty=\r\nsum=a=b\r\n  [ Tabbed\t]  \r\n"
          "  lead=1\r\n");
    EXPECT_EQ("DL1ABC", read("main", "callsign"));
    EXPECT_EQ("14", read(" MAIN\t", " ZONE "));
    EXPECT_EQ("", read("other", "EMPTY"));
    EXPECT_EQ("a=b", read("Other", "sum"));
    EXPECT_EQ("1", read("tabbed", "lead"));
    write("main", " callsign ", "K1AR");
    write(" Other ", "empty", "  padded  ");
    read("other", "empty");
    write("\tTabbed", "new key", "x");
    write(" New ", " spaced key ", " spaced value ");
    read("new", "spaced key");
}

TEST_F(ProfileDifferential, QuotesAroundValues) {
    start("[Q]\r\ndouble=\"  spaced  \"\r\nsingle='one'\r\nmixed=\"open'\r\nlone=\"\r\nnone=\"\"\r\n"
          "inner=\"a\" b\"\r\ninside=a \"b\"  c\r\nblanked=  \"x\"  \r\n");
    for (const char* key : {"double", "single", "mixed", "lone", "none", "inner", "inside", "blanked"}) read("Q", key);
    write("Q", "double", "\"quoted\"");
    EXPECT_EQ("quoted", read("Q", "double"));
    write("Q", "new", "'x'");
    read("Q", "new");
}

TEST_F(ProfileDifferential, CommentsAndLinesWithoutEquals) {
    start("; leading comment\r\n[S]\r\n;key=commented\r\n  ;blank=also comment\r\n#hash=1\r\nbare\r\n"
          "key=real ; not a comment\r\n;last comment\r\n[T]\r\nx=1\r\n");
    EXPECT_EQ("real ; not a comment", read("S", "key"));
    read("S", ";key");
    read("S", ";blank");
    read("S", "#hash");
    read("S", "bare");
    write("S", "bare", "now");
    write("S", "added", "1");
    write(";key", "k", "v");
}

TEST_F(ProfileDifferential, DuplicateKeysAndSections) {
    start("[A]\r\nk=1\r\nk=2\r\n[B]\r\nk=3\r\nonlyB=b\r\n[a]\r\nk=4\r\nonly=5\r\n");
    EXPECT_EQ("1", read("A", "k"));
    EXPECT_EQ("3", read("b", "K"));
    read("A", "only");
    read("A", "onlyB");
    write("a", "K", "first");
    write("A", "only", "added");
    write("B", "onlyB", "changed");
    read("a", "only");
}

TEST_F(ProfileDifferential, EmptyAndLongValues) {
    start("[S]\r\nempty=\r\n");
    EXPECT_EQ("", read("S", "empty"));
    write("S", "empty", "");
    write("S", "new", "");
    // Wine reads values of 32767 characters and more wrongly (and may crash writing after such a read).
    for (const std::size_t length : {255u, 256u, 1023u, 5000u, 32766u}) {
        std::string value(length, 'x');
        for (std::size_t i = 0; i < length; i += 7) value[i] = static_cast<char>('a' + i % 26);
        write("S", "long", value);
        EXPECT_EQ(value, read("S", "long")) << length;
    }
}

TEST_F(ProfileDifferential, LineFeedOnlyFilesWrittenByHand) {
    start("[S]\nk=v\nx=1\n[T]\ny=2\n");
    EXPECT_EQ("v", read("S", "k"));
    EXPECT_EQ("2", read("T", "y"));
    write("S", "k", "w");
    start("[S]\nk=v\n\n[T]\ny=2");
    write("T", "z", "3");
    start("[S]\r\na=1\nb=2\r\n\n[T]\ny=2\n");
    read("S", "b");
    write("U", "n", "1");
}

TEST_F(ProfileDifferential, LastLineWithoutEnd) {
    start("[S]\r\nk=v");
    EXPECT_EQ("v", read("S", "k"));
    write("S", "j", "w");
    start("[S]\r\nk=v");
    write("S", "k", "x");
    start("[S]\r\nk=v");
    write("T", "k", "x");
}

TEST_F(ProfileDifferential, BlankLinesBetweenAndInsideSections) {
    start("[A]\r\nk=1\r\n\r\n\r\n[B]\r\n\r\nj=2\r\n\r\n");
    write("A", "n", "a");
    write("B", "n", "b");
    write("C", "n", "c");
    start("[A]\r\n\r\n\r\n[B]\r\n");
    write("A", "first", "1");
    start("\r\n\r\n[A]\r\nk=1\r\n   \r\n\t\r\n");
    write("A", "n", "a");
}

TEST_F(ProfileDifferential, KeysBeforeAnySection) {
    start("top=1\r\n[S]\r\nk=v\r\n");
    read("", "top");
    read("S", "top");
    write("", "top", "2");
    write("S", "top", "3");
}

TEST_F(ProfileDifferential, OddSectionHeaders) {
    start("[Broken\r\nk=1\r\n[a]b]\r\nm=2\r\n[ spaced ] tail\r\nn=3\r\n[]\r\ne=4\r\n");
    read("Broken", "k");
    read("[Broken", "k");
    read("a", "m");
    read("a]b", "m");
    read("spaced", "n");
    read("", "e");
    write("a]b", "m", "x");
    write("spaced", "o", "y");
    write("", "e", "z");
}

TEST_F(ProfileDifferential, ValueBytesAboveAscii) {
    start("[S]\r\nname=M\xfcller\r\n");
    EXPECT_EQ("M\xfcller", read("S", "name"));
    write("S", "city", "K\xf6ln");
    read("S", "city");
}

// Where we leave kernel32 on purpose: it writes a line break as it is, so that a value adds lines, keys and
// sections; ours writes a blank.
TEST_F(ProfileDifferential, LineBreaksStayOnTheirLineUnlikeKernel32s) {
    start("[Settings]\r\nMode=1\r\n");
    const std::string value = "1 Main St\r\n[Other]\r\nMode=0";
    ASSERT_TRUE(WritePrivateProfileStringA("Settings", "Address", value.c_str(), kernelFile.c_str()));
    EXPECT_EQ("[Settings]\r\nMode=1\r\nAddress=1 Main St\r\n[Other]\r\nMode=0\r\n", test::readFile(kernelFile));
    ASSERT_TRUE(profile::write(oursFile, "Settings", "Address", value));
    ASSERT_TRUE(profile::write(oursFile, "Sett\nings", "Na\r\nme", "x"));
    EXPECT_EQ("[Settings]\r\nMode=1\r\nAddress=1 Main St  [Other]  Mode=0\r\n[Sett ings]\r\nNa  me=x\r\n",
              test::readFile(oursFile));
}
