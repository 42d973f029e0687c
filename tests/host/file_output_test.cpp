// Pictures, PDF files and recovery notes are written atomically beside
// their target, whatever its name and however it is linked.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "file_output.h"

namespace fs = std::filesystem;

namespace {

std::string readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(FileOutput, LinksToFilesNotMadeYetAndLongNamesAreWrittenThrough) {
  std::string pattern = (fs::temp_directory_path() / "file-output-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path folder = pattern;
  fs::create_directory(folder / "real");
  fs::create_symlink("real/picture.svg", folder / "dangling.svg");
  fs::create_symlink("dangling.svg", folder / "outer.svg");
  std::string error;
  ASSERT_TRUE(hostSaveFileAtomically((folder / "outer.svg").string(), "<svg/>", error)) << error;
  EXPECT_TRUE(fs::is_symlink(folder / "outer.svg"));
  EXPECT_TRUE(fs::is_symlink(folder / "dangling.svg"));
  EXPECT_EQ(readAll(folder / "real" / "picture.svg"), "<svg/>");

  const fs::path longName = folder / (std::string(251, 'p') + ".svg");  // 255 bytes
  ASSERT_TRUE(hostSaveFileAtomically(longName.string(), "<svg/>", error)) << error;
  EXPECT_EQ(readAll(longName), "<svg/>");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4) << "no temporary left";
  fs::remove_all(folder);
}
