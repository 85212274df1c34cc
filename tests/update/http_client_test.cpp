#include "update/http_client.h"

#include <gtest/gtest.h>

#include <optional>

#include "test_web.h"
#include "tls_test_server.h"

namespace {

// What the web server's /test/bytes sends: byte i is (i * 31 + 7) % 256.
std::string probe_bytes(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>((i * 31 + 7) % 256);
    }
    return bytes;
}

class HttpClientTest : public testing::Test {
protected:
    void SetUp() override {
        host_ = test_web_host();
        ASSERT_FALSE(host_.empty());
        ASSERT_TRUE(client_.init());
    }
    void TearDown() override { client_.cleanup(); }

    std::string url(std::string_view path) const { return "http://" + host_ + std::string(path); }
    CURLcode get(std::string_view path) {
        client_.set_url(url(path));
        return client_.perform();
    }

    std::string host_;
    HttpClient client_;
};

TEST_F(HttpClientTest, a_body_larger_than_the_first_buffer_is_collected_whole) {
    for (size_t size : {size_t{513}, size_t{4096}, size_t{300000}}) {
        SCOPED_TRACE(size);
        ASSERT_TRUE(client_.init());
        ASSERT_EQ(get("/test/bytes?size=" + std::to_string(size)), CURLE_OK);
        EXPECT_EQ(client_.response_code(), 200);
        std::string expected = probe_bytes(size);
        EXPECT_EQ(client_.body_bytes(), expected);
        EXPECT_EQ(client_.get_body_bytes(), expected);
        // The text form stops at the first zero byte.
        EXPECT_EQ(client_.get_body_text(), expected.substr(0, expected.find('\0')));
    }
}

TEST_F(HttpClientTest, redirects_are_followed_after_init) {
    ASSERT_EQ(get("/test/redirect?to=/app/riraz_version.txt"), CURLE_OK);
    EXPECT_EQ(client_.response_code(), 200);
    EXPECT_EQ(client_.body_bytes(), R"({"version":"2.0.4"})");
    EXPECT_EQ(client_.effective_url(), url("/app/riraz_version.txt"));
    // The headers of both replies are collected, the 302 first.
    std::string headers = client_.header_text();
    size_t moved = headers.find(" 302 ");
    ASSERT_NE(moved, std::string::npos) << headers;
    EXPECT_NE(headers.find(" 200 ", moved), std::string::npos) << headers;
}

TEST_F(HttpClientTest, without_following_the_redirect_target_is_only_reported) {
    ASSERT_EQ(client_.set_follow_redirects(false), CURLE_OK);
    ASSERT_EQ(get("/test/redirect?to=/app/riraz_version.txt"), CURLE_OK);
    EXPECT_EQ(client_.response_code(), 302);
    EXPECT_EQ(client_.body_bytes(), "moved");
    EXPECT_EQ(client_.redirect_url(), url("/app/riraz_version.txt"));
}

TEST_F(HttpClientTest, reply_headers_are_collected_and_request_headers_sent) {
    ASSERT_EQ(client_.set_headers({"X-Xinghe-Request: ping-7", "Accept: text/plain"}), CURLE_OK);
    ASSERT_EQ(get("/test/headers"), CURLE_OK);
    EXPECT_EQ(client_.body_bytes(), "ping-7");
    std::string headers = client_.header_text();
    EXPECT_EQ(headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << headers;
    EXPECT_NE(headers.find("X-Xinghe-Probe: yes\r\n"), std::string::npos) << headers;
    EXPECT_EQ(client_.header_bytes(), headers);
    EXPECT_EQ(client_.primary_ip(), "127.0.0.1");
    EXPECT_EQ(client_.local_ip(), "127.0.0.1");
    EXPECT_GT(client_.local_port(), 0);
    EXPECT_EQ(host_, "127.0.0.1:" + std::to_string(client_.primary_port()));
}

TEST_F(HttpClientTest, a_refused_connection_gives_empty_bytes) {
    client_.set_url("http://127.0.0.1:" + std::to_string(refused_port()) +
                    "/app/riraz_version.txt");
    EXPECT_EQ(client_.perform(), CURLE_COULDNT_CONNECT);
    EXPECT_EQ(client_.body_bytes(), "");
    EXPECT_EQ(client_.get_body_text(), "");
    EXPECT_EQ(client_.response_code(), 0);
}

TEST_F(HttpClientTest, posted_bytes_and_uploads_reach_the_server_whole) {
    const std::string bytes("a=1\0&b=\xD0\xC7", 9);
    ASSERT_EQ(client_.set_post_bytes(bytes), CURLE_OK);
    ASSERT_EQ(get("/test/echo"), CURLE_OK);
    EXPECT_EQ(client_.body_bytes(), "POST\n" + bytes);

    // An upload is fed from the upload buffer by the read callback.
    const std::string upload = probe_bytes(2000);
    ASSERT_TRUE(client_.init());
    ASSERT_TRUE(client_.set_upload("discarded"));
    ASSERT_TRUE(client_.set_upload(upload.substr(0, 700)));
    ASSERT_TRUE(client_.append_upload(upload.substr(700)));
    ASSERT_EQ(client_.set_headers({"Expect:"}), CURLE_OK);  // no wait for "100 Continue"
    ASSERT_EQ(client_.set_option(CURLOPT_UPLOAD, 1L), CURLE_OK);
    ASSERT_EQ(client_.set_option_large(CURLOPT_INFILESIZE_LARGE, 2000), CURLE_OK);
    ASSERT_EQ(get("/test/echo"), CURLE_OK);
    EXPECT_EQ(client_.body_bytes(), "PUT\n" + upload);
    EXPECT_EQ(client_.upload_buffer()->read_position(), 2000u);
}

TEST_F(HttpClientTest, cookies_the_server_sets_are_listed) {
    ASSERT_EQ(client_.set_cookie_file(""), CURLE_OK);  // switches the cookie engine on
    ASSERT_EQ(get("/test/cookie"), CURLE_OK);
    std::vector<std::string> cookies{"stale"};
    ASSERT_EQ(client_.cookies(cookies), 1);
    EXPECT_NE(cookies[0].find("\txinghe_probe\tyes"), std::string::npos) << cookies[0];
}

TEST_F(HttpClientTest, cleanup_twice_finds_nothing_the_second_time) {
    ASSERT_EQ(get("/app/riraz_version.txt"), CURLE_OK);
    client_.cleanup();
    EXPECT_EQ(client_.handle(), nullptr);
    EXPECT_EQ(client_.body_bytes(), "");
    client_.cleanup();
    EXPECT_EQ(client_.handle(), nullptr);
    EXPECT_EQ(client_.perform(), CURLE_BAD_FUNCTION_ARGUMENT);
    EXPECT_EQ(client_.response_code(), 0);
    EXPECT_FALSE(client_.set_upload("x"));
}

// set_verify against a server whose certificate no authority signed: the
// peer check is off in every case, so only the host check decides.
struct VerifyCase {
    const char* name;
    const char* certificate_name;
    std::optional<bool> verify_host;
    CURLcode expected;
};

void PrintTo(const VerifyCase& c, std::ostream* out) {
    *out << c.name;
}

class VerifyTest : public testing::TestWithParam<VerifyCase> {};

TEST_P(VerifyTest, only_an_explicit_false_turns_host_checking_off) {
    const VerifyCase& c = GetParam();
    TlsTestServer server(c.certificate_name);
    HttpClient client;
    ASSERT_TRUE(client.init());
    client.set_url("https://127.0.0.1:" + std::to_string(server.port()) + "/");
    ASSERT_EQ(client.set_verify(false, c.verify_host), CURLE_OK);
    EXPECT_EQ(client.perform(), c.expected);
    EXPECT_EQ(client.body_bytes(), c.expected == CURLE_OK ? "ok" : "");
    client.cleanup();
}

INSTANTIATE_TEST_SUITE_P(
    HttpClient, VerifyTest,
    testing::Values(
        VerifyCase{"host_left_out_still_checked", "DNS:xinghe.invalid", std::nullopt,
                   CURLE_PEER_FAILED_VERIFICATION},
        VerifyCase{"host_true_checked", "DNS:xinghe.invalid", true, CURLE_PEER_FAILED_VERIFICATION},
        VerifyCase{"host_false_not_checked", "DNS:xinghe.invalid", false, CURLE_OK},
        VerifyCase{"matching_host_passes_the_check", "IP:127.0.0.1", std::nullopt, CURLE_OK}),
    [](const testing::TestParamInfo<VerifyCase>& info) { return info.param.name; });

}  // namespace
