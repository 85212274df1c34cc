#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>

#include "update/http_client.h"

namespace {

TEST(HttpClientHolders, attach_makes_a_second_holder_of_the_same_client) {
    HttpClient first;
    ASSERT_TRUE(first.init());
    HttpClient second;
    second.attach(first.handle());
    ASSERT_EQ(second.handle(), first.handle());
    ASSERT_TRUE(second.set_upload("shared"));
    EXPECT_EQ(first.upload_buffer()->bytes(), "shared");

    // One holder letting go leaves the handle to the other.
    first.cleanup();
    EXPECT_EQ(first.handle(), nullptr);
    ASSERT_NE(second.handle(), nullptr);
    EXPECT_EQ(second.upload_buffer()->bytes(), "shared");
    second.cleanup();
}

TEST(HttpClientHolders, attach_to_a_handle_no_client_made_leaves_it_empty) {
    HttpClient original;
    ASSERT_TRUE(original.init());
    CurlEasyOwner copy = original.duplicate();
    ASSERT_NE(copy, nullptr);

    HttpClient client;
    ASSERT_TRUE(client.init());
    client.attach(copy.get());  // carries the original's private pointer, not its buffers
    EXPECT_EQ(client.handle(), nullptr);

    CurlEasyOwner foreign(curl_easy_init());
    client.attach(foreign.get());
    EXPECT_EQ(client.handle(), nullptr);
    client.attach(nullptr);
    EXPECT_EQ(client.handle(), nullptr);
    original.cleanup();
}

TEST(HttpClientHolders, a_second_init_starts_with_new_buffers) {
    HttpClient client;
    ASSERT_TRUE(client.init());
    client.set_upload("old");
    ASSERT_TRUE(client.init_with(false, true));
    EXPECT_NE(client.handle(), nullptr);
    EXPECT_EQ(client.upload_buffer()->length(), 0u);
    client.cleanup();
}

TEST(HttpClientWithoutHandle, operations_answer_with_libcurl_error_codes) {
    HttpClient client;
    EXPECT_EQ(client.handle(), nullptr);
    EXPECT_EQ(client.set_url("http://127.0.0.1/"), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(client.set_verify(true), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(client.set_headers({"A: b"}), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(client.perform(), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(client.duplicate(), nullptr);
    EXPECT_EQ(client.effective_url(), "");
    EXPECT_EQ(client.total_time(), 0.0);
    std::vector<std::string> cookies{"stale"};
    EXPECT_EQ(client.cookies(cookies), 0);
    EXPECT_TRUE(cookies.empty());
    EXPECT_EQ(client.upload_buffer(), nullptr);
    EXPECT_FALSE(client.append_upload("x"));
    client.reset_options();
    client.cleanup();
}

TEST(HttpClientText, escape_and_unescape_are_inverse_for_any_bytes) {
    HttpClient client;
    EXPECT_EQ(client.escape("星河 a/b&c"), "%E6%98%9F%E6%B2%B3%20a%2Fb%26c");
    EXPECT_EQ(client.unescape("%E6%98%9F%E6%B2%B3%20a%2Fb%26c"), "星河 a/b&c");
    const std::string bytes("x\0y\xFF", 4);
    EXPECT_EQ(client.unescape(client.escape(bytes)), bytes);
}

TEST(HttpClientOptions, reset_keeps_the_buffers_collecting) {
    HttpClient client;
    ASSERT_TRUE(client.init());
    client.set_option_text(CURLOPT_URL, "data:ignored");
    client.reset_options();
    // A file URL needs no server: the body still lands in the body buffer.
    char path[] = "/tmp/xinghe-reset-XXXXXX";
    int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "file body", 9), 9);
    ::close(fd);
    client.set_url(std::string("file://") + path);
    EXPECT_EQ(client.perform(), CURLE_OK);
    EXPECT_EQ(client.body_bytes(), "file body");
    ::unlink(path);
    CURL* handle = client.handle();
    HttpClient other;
    other.attach(handle);
    EXPECT_EQ(other.handle(), handle);
    client.cleanup();
    other.cleanup();
}

}  // namespace
