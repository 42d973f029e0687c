// Saving replaces a drawing completely or not at all, keeps the previous
// file as NAME.bak, and says why when it cannot.
#include "DxfFile.h"
#include "DxfTestSupport.h"
#include "DxfWriter.h"

#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace dxftest;

namespace {

std::vector<std::string> folderContents(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string saveError(const std::filesystem::path& path, std::string_view bytes)
{
    return errorOf([&] { dxfSaveAtomically(path, bytes); });
}

} // namespace

TEST(DxfAtomicSave, NewFileThenReplacementWithBackup)
{
    TempFolder folder;
    std::filesystem::path target = folder / "plate.dxf";
    DxfWriter w;
    w.text(0, "EOF");
    w.save(target);
    EXPECT_EQ(readFile(target), "  0\nEOF\n");
    EXPECT_EQ(folderContents(folder.path()), (std::vector<std::string>{"plate.dxf"}));

    chmod(target.c_str(), 0640);
    dxfSaveAtomically(target, "second");
    dxfSaveAtomically(target, "third");
    EXPECT_EQ(readFile(target), "third");
    EXPECT_EQ(readFile(folder / "plate.dxf.bak"), "second");
    EXPECT_EQ(folderContents(folder.path()), (std::vector<std::string>{"plate.dxf", "plate.dxf.bak"}));
    struct stat st {};
    stat(target.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);  // the drawing keeps its permissions
}

TEST(DxfAtomicSave, FailedWriteLeavesOldFileAndNoTemporary)
{
    TempFolder folder;
    std::filesystem::path target = folder / "plate.dxf";
    writeFile(target, "old drawing");
    // A file size limit makes the write fail the way a full disk does.
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string error = saveError(target, std::string(1 << 20, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(error, "cannot save '" + target.string() + "': cannot write the temporary file: File too large");
    EXPECT_EQ(readFile(target), "old drawing");
    EXPECT_EQ(folderContents(folder.path()), (std::vector<std::string>{"plate.dxf"}));
}

TEST(DxfAtomicSave, UnusableTargetsAreReported)
{
    TempFolder folder;
    std::filesystem::path missing = folder / "no-such-folder" / "a.dxf";
    EXPECT_EQ(saveError(missing, "x"), "cannot save '" + missing.string() + "': folder '" +
                                           missing.parent_path().string() + "' is not usable: No such file or directory");
    std::filesystem::create_directory(folder / "sub.dxf");
    EXPECT_NE(saveError(folder / "sub.dxf", "x").find("is not a regular file: Is a directory"), std::string::npos);
    EXPECT_EQ(folderContents(folder.path()), (std::vector<std::string>{"sub.dxf"}));

    if (geteuid() != 0) {  // permissions do not bind root
        writeFile(folder / "plate.dxf", "old");
        chmod(folder.path().c_str(), 0500);
        std::string error = saveError(folder / "plate.dxf", "new");
        chmod(folder.path().c_str(), 0700);
        EXPECT_NE(error.find("cannot create a temporary file in"), std::string::npos) << error;
        EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
        EXPECT_EQ(readFile(folder / "plate.dxf"), "old");
    }
}

TEST(DxfAtomicSave, ANameNearTheLimitIsSavedAndBackedUp)
{
    TempFolder folder;
    const std::filesystem::path target = folder / (std::string(247, 'n') + ".dxf");  // 251 bytes, with .bak 255
    dxfSaveAtomically(target, "old");
    dxfSaveAtomically(target, "new");
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(readFile(target.string() + ".bak"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2) << "no temporary left";
}

TEST(DxfAtomicSave, SavingThroughALinkReplacesTheLinkedFile)
{
    TempFolder folder;
    std::filesystem::create_directory(folder / "real");
    writeFile(folder / "real" / "a.dxf", "old");
    std::filesystem::create_symlink(folder / "real" / "a.dxf", folder / "link.dxf");
    dxfSaveAtomically(folder / "link.dxf", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.dxf"));
    EXPECT_EQ(readFile(folder / "real" / "a.dxf"), "new");
    EXPECT_EQ(readFile(folder / "real" / "a.dxf.bak"), "old");

    // A relative link to a file not made yet, through a second link: the
    // file is made where they point, and both stay links.
    std::filesystem::create_symlink("real/b.dxf", folder / "dangling.dxf");
    std::filesystem::create_symlink("dangling.dxf", folder / "outer.dxf");
    dxfSaveAtomically(folder / "outer.dxf", "first");
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "dangling.dxf"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "outer.dxf"));
    EXPECT_EQ(readFile(folder / "real" / "b.dxf"), "first");
}

TEST(DxfFileReading, MissingFileAndFolderAreReported)
{
    TempFolder folder;
    EXPECT_EQ(errorOf([&] { DxfDocument::load(folder / "none.dxf"); }),
              "cannot read '" + (folder / "none.dxf").string() + "': No such file or directory");
    EXPECT_EQ(errorOf([&] { DxfDocument::load(folder.path()); }),
              "cannot read '" + folder.path().string() + "': it is a folder");
}
