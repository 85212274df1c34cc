#include "core/replacing_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(ReplacingFile, an_abandoned_write_leaves_the_old_file_and_no_temporary) {
    TempFolder folder;
    std::string path = folder.file("a.xls");
    ASSERT_TRUE(replace_file_contents(path, "old"));
    {
        ReplacingFile file(path);
        ASSERT_TRUE(file.ok());
        EXPECT_TRUE(file.write("new, but never committed"));
    }
    EXPECT_EQ(read_whole_file(path), "old");
    EXPECT_EQ(folder.names(), std::vector<std::string>{"a.xls"});
}

TEST(ReplacingFile, a_new_file_gets_the_mode_less_the_umask) {
    TempFolder folder;
    mode_t old_mask = ::umask(022);
    bool written = replace_file_contents(folder.file("open"), "x", 0666) &&
                   replace_file_contents(folder.file("secret"), "x", 0600);
    ::umask(old_mask);
    ASSERT_TRUE(written);
    EXPECT_EQ(fs::status(folder.file("open")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    EXPECT_EQ(fs::status(folder.file("secret")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(ReplacingFile, a_symbolic_link_at_the_path_is_replaced_not_followed) {
    TempFolder folder;
    ASSERT_TRUE(replace_file_contents(folder.file("target"), "keep"));
    fs::create_symlink(folder.file("target"), folder.file("link"));
    ASSERT_TRUE(replace_file_contents(folder.file("link"), "new"));
    EXPECT_EQ(read_whole_file(folder.file("target")), "keep");
    EXPECT_FALSE(fs::is_symlink(folder.file("link")));
    EXPECT_EQ(read_whole_file(folder.file("link")), "new");
}

}  // namespace
