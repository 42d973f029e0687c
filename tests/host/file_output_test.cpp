// Pictures, PDF files and recovery notes are written atomically beside
// their target, whatever its name and however it is linked.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "file_output.h"
#include "host_test_support.h"

namespace fs = std::filesystem;

TEST(FileOutput, LinksToFilesNotMadeYetAndLongNamesAreWrittenThrough) {
  const TempFolder temp;
  const fs::path& folder = temp.path;
  fs::create_directory(folder / "real");
  fs::create_symlink("real/picture.svg", folder / "dangling.svg");
  fs::create_symlink("dangling.svg", folder / "outer.svg");
  std::string error;
  ASSERT_TRUE(hostSaveFileAtomically((folder / "outer.svg").string(), "<svg/>", error)) << error;
  EXPECT_TRUE(fs::is_symlink(folder / "outer.svg"));
  EXPECT_TRUE(fs::is_symlink(folder / "dangling.svg"));
  EXPECT_EQ(readText(temp.file("real/picture.svg")), "<svg/>");

  const fs::path longName = folder / (std::string(251, 'p') + ".svg");  // 255 bytes
  ASSERT_TRUE(hostSaveFileAtomically(longName.string(), "<svg/>", error)) << error;
  EXPECT_EQ(readText(longName.string()), "<svg/>");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4) << "no temporary left";
}
