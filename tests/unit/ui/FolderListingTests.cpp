// What the file and folder pickers list: paths up and down the tree, the
// file filter, the order of names, and real folders made by the test.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/FolderListing.h"
#include "support/TempTree.h"

namespace {

std::vector<std::wstring> Texts(const std::vector<Str> &names) {
    std::vector<std::wstring> texts;
    for (const Str &name : names)
        texts.push_back(name.Text());
    return texts;
}

typedef std::vector<std::wstring> Names;

TEST(FolderPaths, UpDownAndPatternFollowTheSeparators) {
    struct Case {
        const wchar_t *folder, *parent, *pattern, *child;
        bool root;
    } cases[] = {
        {L"", L"", L"\\*.*", L"\\x", true},
        {L"\\", L"", L"\\*.*", L"\\x", true},
        {L"\\Temp", L"", L"\\Temp\\*.*", L"\\Temp\\x", false},
        {L"\\My Documents\\Notes", L"\\My Documents", L"\\My Documents\\Notes\\*.*", L"\\My Documents\\Notes\\x",
         false},
        {L"\\A\\B\\", L"\\A", L"\\A\\B\\*.*", L"\\A\\B\\x", false},
    };
    for (const Case &c : cases) {
        EXPECT_STREQ(ParentFolder(c.folder), c.parent) << "above " << std::wstring(c.folder);
        Str pattern, child;
        ASSERT_TRUE(FolderPattern(c.folder, &pattern));
        EXPECT_STREQ(pattern, c.pattern);
        ASSERT_TRUE(JoinPath(c.folder, L"x", &child));
        EXPECT_STREQ(child, c.child);
        EXPECT_EQ(IsRootFolder(c.folder), c.root) << std::wstring(c.folder);
    }
}

TEST(FolderPaths, PathsLongerThanThePlatformTakesAreRefusedNotCut) {
    const Str folder(std::wstring(1, L'\\').append(250, L'f').c_str()); // 251 characters
    Str path(L"untouched");
    EXPECT_TRUE(JoinPath(folder, L"1234567", &path)) << "259 characters fit";
    EXPECT_EQ(path.Length(), 259);
    path = L"untouched";
    EXPECT_FALSE(JoinPath(folder, L"12345678", &path));
    EXPECT_STREQ(path, L"untouched");
    const Str longFolder(std::wstring(1, L'\\').append(300, L'f').c_str());
    FolderList folders;
    EXPECT_FALSE(folders.SetFolder(longFolder));
    EXPECT_STREQ(folders.Folder(), L"") << "a refused folder leaves the one before";
    FileList files(FileFilter{Str(), {Str(L"pwi")}});
    EXPECT_FALSE(files.List(longFolder));
    EXPECT_STREQ(files.Folder(), L"");
}

TEST(FileFilter, TakesTheExtensionAfterTheLastDotIgnoringCase) {
    const FileFilter notes{Str(L"Note Files"), {Str(L"pwi")}};
    const FileFilter every{Str(), {Str(L"*")}};
    struct Case {
        const wchar_t *name;
        bool note;
    } cases[] = {
        {L"a.PWI", true},      {L"b.pwi", true},     {L"c.txt", false}, {L"readme", false}, {L"pwi", false},
        {L"x.pwi.txt", false}, {L"y.txt.pwi", true}, {L".pwi", true},   {L"z.pwix", false}, {L"n.pw", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(notes.Takes(c.name), c.note) << std::wstring(c.name);
        EXPECT_TRUE(every.Takes(c.name)) << std::wstring(c.name);
    }
}

TEST(SortNames, IgnoresCaseAndPutsUpFirst) {
    std::vector<Str> names = {Str(L"beta"), Str(L"Gamma"), Str(L".."), Str(L"alpha2"), Str(L"Alpha")};
    SortNames(&names);
    EXPECT_EQ(Texts(names), (Names{L"..", L"Alpha", L"alpha2", L"beta", L"Gamma"}));
    // Names that may sort before a dot still leave ".." first.
    for (const wchar_t *early : {L" space", L"!bang", L"#hash", L"-dash", L"'quote", L"(1)"}) {
        std::vector<Str> mixed = {Str(L"b"), Str(early), Str(L"..")};
        SortNames(&mixed);
        EXPECT_STREQ(mixed[0], L"..") << "beside " << std::wstring(early);
    }
}

// A note folder beside other folders:
//   Notes\  a.PWI b.pwi c.txt readme, and a folder named like a note file
//   alpha\ Beta\ gamma\  and a note file at the top.
class FolderTree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t *folder : {L"Notes", L"Notes\\dir.pwi", L"alpha", L"Beta", L"gamma", L"empty"})
            tree.Folder(folder);
        for (const wchar_t *file : {L"Notes\\b.pwi", L"Notes\\a.PWI", L"Notes\\c.txt", L"Notes\\readme", L"top.pwi"})
            tree.File(file);
    }
    Str At(const wchar_t *relative) const { return Str(tree.Path(relative).c_str()); }
    Str Root() const { return Str(tree.Root().c_str()); }

    TempTree tree;
    FileList files{FileFilter{Str(L"Note Files"), {Str(L"pwi")}}};
};

TEST_F(FolderTree, BrowserListsSubfoldersAndGoesDownAndBackUp) {
    FolderList folders;
    ASSERT_TRUE(folders.SetFolder(Root()));
    EXPECT_EQ(Texts(folders.Names()), (Names{L"..", L"alpha", L"Beta", L"empty", L"gamma", L"Notes"}))
        << "folders only, in case-insensitive order";
    ASSERT_TRUE(folders.Open(5));
    EXPECT_STREQ(folders.Folder(), At(L"Notes"));
    EXPECT_EQ(Texts(folders.Names()), (Names{L"..", L"dir.pwi"}));
    ASSERT_TRUE(folders.Open(0));
    EXPECT_STREQ(folders.Folder(), Root());
    for (int outside : {-1, 6})
        EXPECT_FALSE(folders.Open(outside)) << "index " << outside;
    EXPECT_STREQ(folders.Folder(), Root());
}

TEST_F(FolderTree, FileListKeepsNoteFilesOnly) {
    ASSERT_TRUE(files.List(At(L"Notes")));
    EXPECT_EQ(Texts(files.Names()), (Names{L"a.PWI", L"b.pwi"})) << "no c.txt, readme or folder dir.pwi";
    Str path;
    ASSERT_TRUE(files.PathOf(1, &path));
    EXPECT_STREQ(path, At(L"Notes\\b.pwi"));
    EXPECT_FALSE(files.PathOf(2, &path));
    EXPECT_FALSE(files.PathOf(-1, &path));
}

TEST_F(FolderTree, AnUnchangedFolderIsNotListedAgain) {
    ASSERT_TRUE(files.List(At(L"Notes")));
    tree.File(L"Notes\\new.pwi");
    ASSERT_TRUE(files.List(At(L"Notes")));
    EXPECT_EQ(files.Names().size(), 2u) << "the folder was read again";
    ASSERT_TRUE(files.List(Root()));
    ASSERT_TRUE(files.List(At(L"Notes")));
    EXPECT_EQ(files.Names().size(), 3u) << "another folder in between makes a new listing";
    // An empty listing is not kept: the folder is read each time.
    ASSERT_TRUE(files.List(At(L"empty")));
    EXPECT_TRUE(files.Names().empty());
    tree.File(L"empty\\first.pwi");
    ASSERT_TRUE(files.List(At(L"empty")));
    EXPECT_EQ(Texts(files.Names()), (Names{L"first.pwi"}));
}

TEST_F(FolderTree, AFolderThatCannotBeListedGivesAnEmptyList) {
    FolderList folders;
    ASSERT_TRUE(folders.SetFolder(At(L"missing")));
    EXPECT_EQ(Texts(folders.Names()), (Names{L".."})) << "only the way up";
    ASSERT_TRUE(files.List(At(L"missing")));
    EXPECT_TRUE(files.Names().empty());
}

TEST(DeviceRoot, RootHasNoUpAndAFirstLevelFolderLeadsBackToIt) {
    FolderList folders;
    ASSERT_TRUE(folders.SetFolder(Str()));
    for (const Str &name : folders.Names())
        EXPECT_STRNE(name, L"..");
    ASSERT_FALSE(folders.Names().empty()) << "the device's root holds folders";
    const std::wstring first = folders.Names()[0].Text();
    ASSERT_TRUE(folders.Open(0));
    EXPECT_EQ(std::wstring(folders.Folder()), L"\\" + first);
    EXPECT_EQ(Texts(folders.Names()).at(0), L"..");
    ASSERT_TRUE(folders.Open(0));
    EXPECT_STREQ(folders.Folder(), L"") << "up from a first-level folder is the root";
    EXPECT_STRNE(folders.Names()[0], L"..");
}

} // namespace
