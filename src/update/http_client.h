#pragma once

#include <curl/curl.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "update/mem_buffer.h"

// Owner of an easy handle that no HttpClient holds (see duplicate()).
struct CurlEasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlEasyOwner = std::unique_ptr<CURL, CurlEasyDeleter>;

// One libcurl easy handle with the response body and headers collected in
// growable buffers and an upload fed from a third. Options and transfer
// information keep their libcurl names; result codes are libcurl's.
//
// Copies (and attach) share the handle, the buffers and the header list;
// the handle is freed when its last holder lets go of it, so cleanup() on
// one holder never pulls the handle from under another.
//
// Bytes travel as std::string (they may hold zero bytes); texts are the
// bytes up to the first zero byte.
class HttpClient {
public:
    bool init();  // init_with(true, true)
    // Starts over with a new handle and new buffers: redirects followed
    // and signals unused as asked. False when libcurl cannot make a handle.
    bool init_with(bool follow_redirects, bool no_signals);
    // release(), then let go of the header list. Safe to call again.
    void cleanup();
    // Lets go of the handle, the callbacks, the buffers and the progress
    // routine; the header list stays.
    void release();

    CURL* handle() const;
    // Becomes another holder of the client that made handle; left empty
    // when handle was not made by an HttpClient (a duplicate, say).
    void attach(CURL* handle);
    // A copy of the handle with its options, owned by the caller.
    CurlEasyOwner duplicate() const;

    CURLcode set_option(CURLoption option, long value);
    CURLcode set_option(CURLoption option, int value) { return set_option(option, long{value}); }
    CURLcode set_option(CURLoption option, void* value);
    CURLcode set_option_large(CURLoption option, curl_off_t value);
    // The client keeps its own copy of the text or bytes for as long as the
    // handle lives, so options that libcurl does not copy stay valid.
    CURLcode set_option_text(CURLoption option, std::string_view text);
    CURLcode set_option_bytes(CURLoption option, std::string_view bytes);
    CURLcode perform();

    // Integer information (long, offset and socket kinds); 0 when absent.
    curl_off_t info_integer(CURLINFO info) const;
    double info_double(CURLINFO info) const;
    // Text information; empty when absent.
    std::string info_text(CURLINFO info) const;
    // Replaces entries by the non-empty entries of a list information.
    CURLcode info_list(CURLINFO info, std::vector<std::string>& entries) const;
    // Replaces certificates by the entries of every certificate of the
    // chain (CURLINFO_CERTINFO), one list per certificate.
    CURLcode info_certificates(CURLINFO info,
                               std::vector<std::vector<std::string>>& certificates) const;
    // Options back to libcurl's defaults; the client's own callbacks stay
    // installed so the buffers keep collecting.
    void reset_options();
    std::string escape(std::string_view text) const;
    std::string unescape(std::string_view text) const;

    std::string get_body_bytes() const;
    std::string get_body_text() const;
    std::string get_header_bytes() const;
    std::string get_header_text() const;
    bool set_upload(std::string_view bytes);
    bool append_upload(std::string_view bytes);
    MemBuffer* upload_buffer() const;

    CURLcode set_progress(curl_xferinfo_callback routine, void* user_value);
    CURLcode set_url(std::string_view url);
    CURLcode set_proxy(std::string_view proxy);
    CURLcode set_cookie_file(std::string_view path);
    CURLcode set_cookie_jar(std::string_view path);
    CURLcode set_cookie_list(std::string_view cookie);
    CURLcode set_timeouts_ms(std::optional<long> connect_ms, std::optional<long> total_ms);
    CURLcode set_timeouts(std::optional<long> connect_seconds, std::optional<long> total_seconds);
    CURLcode set_post(bool post);
    CURLcode set_post_bytes(std::string_view bytes);
    CURLcode set_post_text(std::string_view text);
    CURLcode set_follow_redirects(bool follow);
    CURLcode set_headers(const std::vector<std::string>& headers);
    CURLcode set_referer(std::string_view referer);
    CURLcode set_user_agent(std::string_view user_agent);
    CURLcode set_ca_file(std::string_view path);
    CURLcode set_ssl_key(std::string_view path);
    // Host checking is switched off only by an explicit false for
    // verify_host; left out, it stays at 2 (full check).
    CURLcode set_verify(bool verify_peer, std::optional<bool> verify_host = std::nullopt);

    std::string body_bytes() const { return get_body_bytes(); }
    std::string header_text() const { return get_header_text(); }
    std::string header_bytes() const { return get_header_bytes(); }
    long response_code() const;
    double total_time() const;
    std::string effective_url() const;
    std::string redirect_url() const;
    std::string primary_ip() const;
    long primary_port() const;
    std::string local_ip() const;
    long local_port() const;
    // The cookies the handle knows, in Netscape cookie-file lines.
    int cookies(std::vector<std::string>& list) const;

private:
    struct Transfer;
    struct SlistDeleter {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    void install_callbacks();

    std::shared_ptr<Transfer> transfer_;
    std::shared_ptr<curl_slist> header_list_;
};
