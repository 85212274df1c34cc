#include "core/settings_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string file_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void put_file(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

mode_t mode_of(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 07777;
}

// Root passes every permission check; for the checks to mean anything the
// test acts as an ordinary user while this lives.
class AsOrdinaryUser {
public:
    AsOrdinaryUser() {
        if (::geteuid() == 0) {
            switched_ = ::seteuid(65534) == 0;
        }
    }
    ~AsOrdinaryUser() {
        if (switched_ && ::seteuid(0) != 0) {
            std::abort();
        }
    }
    AsOrdinaryUser(const AsOrdinaryUser&) = delete;
    AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

    bool bound_by_permissions() const { return ::geteuid() != 0; }

private:
    bool switched_ = false;
};

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "xinghe-settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
        fs::permissions(dir_, fs::perms(0755));  // reachable by the ordinary user too
        conf_ = (dir_ / "Conf.ini").string();
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms(0755));
        fs::remove_all(dir_);
    }
    size_t files_in_folder() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    fs::path dir_;
    std::string conf_;
};

TEST_F(SettingsFileTest, missing_file_section_or_key_reads_empty) {
    EXPECT_EQ(read_setting(conf_, "Conf", "UID"), "");
    put_file(conf_, "[Conf]\r\nuser=1\r\n");
    EXPECT_EQ(read_setting(conf_, "Conf", "UID"), "");
    EXPECT_EQ(read_setting(conf_, "sxf", "user"), "");
    EXPECT_EQ(read_setting(dir_.string(), "Conf", "user"), "");  // a folder, not a file
}

TEST_F(SettingsFileTest, first_start_creates_conf_with_empty_uid_for_its_owner_only) {
    const mode_t old_umask = ::umask(0);  // the mode must not depend on the umask
    const bool written = write_setting(conf_, "Conf", "UID", "");
    ::umask(old_umask);
    ASSERT_TRUE(written);
    EXPECT_EQ(file_bytes(conf_), "[Conf]\r\nUID=\r\n");
    EXPECT_EQ(read_setting(conf_, "Conf", "UID"), "");
    EXPECT_EQ(mode_of(conf_), 0600u);
    EXPECT_EQ(files_in_folder(), 1u);  // no temporary file left behind
}

TEST_F(SettingsFileTest, existing_file_keeps_its_mode) {
    put_file(conf_, "[sxf]\nweixin=0.6\n");
    fs::permissions(conf_, fs::perms(0644));
    ASSERT_TRUE(write_setting(conf_, "sxf", "zhifubao", "0.38"));
    EXPECT_EQ(mode_of(conf_), 0644u);
    EXPECT_EQ(file_bytes(conf_), "[sxf]\nweixin=0.6\nzhifubao=0.38\n");
}

class SettingsFileLineBreaks : public SettingsFileTest,
                               public testing::WithParamInterface<std::string> {};

TEST_P(SettingsFileLineBreaks, round_trip_keeps_foreign_lines_and_comments) {
    const std::string n = GetParam();
    put_file(conf_, "; written by the installer" + n + "[Conf]" + n + "UID=" + n +
                        "; remembered sign-in" + n + "theme = dark" + n + n + "[Other]" + n +
                        "user=someone else" + n);
    ASSERT_TRUE(write_setting(conf_, "conf", "uid", "1"));
    ASSERT_TRUE(write_setting(conf_, "Conf", "user", "8F8ED8186E8A1"));
    ASSERT_TRUE(write_setting(conf_, "sxf", "weixin", "0.6"));
    EXPECT_EQ(file_bytes(conf_), "; written by the installer" + n + "[Conf]" + n + "uid=1" + n +
                                     "; remembered sign-in" + n + "theme = dark" + n +
                                     "user=8F8ED8186E8A1" + n + n + "[Other]" + n +
                                     "user=someone else" + n + "[sxf]" + n + "weixin=0.6" + n);
    EXPECT_EQ(read_setting(conf_, "CONF", "UID"), "1");
    EXPECT_EQ(read_setting(conf_, "Conf", "USER"), "8F8ED8186E8A1");
    EXPECT_EQ(read_setting(conf_, "other", "user"), "someone else");
    EXPECT_EQ(read_setting(conf_, "Conf", "theme"), "dark");
    EXPECT_EQ(read_setting(conf_, "SXF", "Weixin"), "0.6");
}

INSTANTIATE_TEST_SUITE_P(Breaks, SettingsFileLineBreaks, testing::Values("\r\n", "\n"),
                         [](const auto& info) { return info.param == "\n" ? "lf" : "crlf"; });

TEST_F(SettingsFileTest, gbk_text_goes_to_disk_as_gbk) {
    ASSERT_TRUE(write_setting(conf_, "Conf", "user", "星河"));
    EXPECT_EQ(file_bytes(conf_), "[Conf]\r\nuser=\xD0\xC7\xBA\xD3\r\n");
    EXPECT_EQ(read_setting(conf_, "Conf", "user"), "星河");
}

TEST_F(SettingsFileTest, read_only_folder_leaves_the_file_unchanged) {
    const std::string before = "[Conf]\r\nUID=\r\n";
    put_file(conf_, before);
    fs::permissions(conf_, fs::perms(0644));
    fs::permissions(dir_, fs::perms(0555));
    {
        AsOrdinaryUser user;
        if (!user.bound_by_permissions()) {
            GTEST_SKIP() << "cannot drop root's rights here";
        }
        EXPECT_FALSE(write_setting(conf_, "Conf", "UID", "1"));
        EXPECT_EQ(read_setting(conf_, "Conf", "UID"), "");
    }
    EXPECT_EQ(file_bytes(conf_), before);
    EXPECT_EQ(files_in_folder(), 1u);
}

TEST_F(SettingsFileTest, unreadable_file_is_not_replaced) {
    const std::string before = "[Conf]\r\nUID=\r\nuser=8F8ED8186E8A1\r\n";
    put_file(conf_, before);
    fs::permissions(conf_, fs::perms(0600));
    fs::permissions(dir_, fs::perms(0777));
    {
        AsOrdinaryUser user;
        if (!user.bound_by_permissions()) {
            GTEST_SKIP() << "cannot drop root's rights here";
        }
        if (::faccessat(AT_FDCWD, conf_.c_str(), R_OK, AT_EACCESS) == 0) {
            GTEST_SKIP() << "the file stays readable";
        }
        EXPECT_FALSE(write_setting(conf_, "Conf", "UID", "1"));
    }
    EXPECT_EQ(file_bytes(conf_), before);
    EXPECT_EQ(files_in_folder(), 1u);
}

TEST_F(SettingsFileTest, missing_folder_fails_the_write) {
    EXPECT_FALSE(write_setting((dir_ / "no such folder" / "Conf.ini").string(), "Conf", "UID", ""));
    EXPECT_FALSE(write_setting(dir_.string(), "Conf", "UID", ""));  // a folder, not a file
}

TEST_F(SettingsFileTest, symbolic_link_is_followed) {
    const fs::path target = dir_ / "real.ini";
    put_file(target, "[Conf]\nUID=\n");
    fs::create_symlink(target, conf_);
    ASSERT_TRUE(write_setting(conf_, "Conf", "UID", "1"));
    EXPECT_TRUE(fs::is_symlink(conf_));
    EXPECT_EQ(file_bytes(target), "[Conf]\nUID=1\n");
}

TEST_F(SettingsFileTest, refused_value_leaves_the_file_unchanged) {
    put_file(conf_, "[Conf]\nUID=\n");
    EXPECT_FALSE(write_setting(conf_, "Conf", "UID", "1\n[Other]"));
    EXPECT_EQ(file_bytes(conf_), "[Conf]\nUID=\n");
}

}  // namespace
