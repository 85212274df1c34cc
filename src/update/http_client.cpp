#include "update/http_client.h"

#include <climits>
#include <map>
#include <mutex>
#include <new>
#include <unordered_map>

// Everything that lives exactly as long as one easy handle: the handle's
// CURLOPT_PRIVATE points here, and the callbacks write into its buffers.
struct HttpClient::Transfer {
    CURL* handle = nullptr;
    bool no_signals = false;
    curl_xferinfo_callback progress = nullptr;
    MemBuffer body;
    MemBuffer upload;
    MemBuffer header;
    // The header list the handle points at, kept alive with the handle.
    std::shared_ptr<curl_slist> headers_in_use;
    // Texts and bytes handed to options by pointer.
    std::map<CURLoption, std::string> pinned;

    ~Transfer();
};

namespace {

// The transfers alive now, so that attach() can tell a handle made by an
// HttpClient from any other pointer that CURLOPT_PRIVATE may hold.
std::mutex registry_mutex;
std::unordered_map<const void*, std::weak_ptr<void>> registry;

size_t collect(char* data, size_t size, size_t count, void* user) {
    size_t n = size * count;
    try {
        static_cast<MemBuffer*>(user)->append(std::string_view(data, n));
    } catch (const std::bad_alloc&) {
        return 0;  // libcurl ends the transfer with a write error
    }
    return n;
}

size_t feed(char* out, size_t size, size_t count, void* user) {
    return static_cast<MemBuffer*>(user)->read(out, size * count);
}

std::string text_until_zero(std::string_view bytes) {
    return std::string(bytes.substr(0, bytes.find('\0')));
}

bool info_of_kind(CURLINFO info, int kind) {
    return (info & CURLINFO_TYPEMASK) == kind;
}

// Other infos of the list kind answer with structures, not a curl_slist.
bool answers_with_slist(CURLINFO info) {
    return info == CURLINFO_COOKIELIST || info == CURLINFO_SSL_ENGINES;
}

CURLcode first_failure(CURLcode a, CURLcode b) {
    return a != CURLE_OK ? a : b;
}

}  // namespace

HttpClient::Transfer::~Transfer() {
    {
        std::lock_guard lock(registry_mutex);
        registry.erase(this);
    }
    curl_easy_cleanup(handle);
}

bool HttpClient::init() {
    return init_with(true, true);
}

bool HttpClient::init_with(bool follow_redirects, bool no_signals) {
    release();
    CURL* handle = curl_easy_init();
    if (!handle) {
        return false;
    }
    auto transfer = std::make_shared<Transfer>();
    transfer->handle = handle;
    transfer->no_signals = no_signals;
    {
        std::lock_guard lock(registry_mutex);
        registry[transfer.get()] = transfer;
    }
    transfer_ = std::move(transfer);
    install_callbacks();
    if (follow_redirects) {
        curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    }
    return true;
}

void HttpClient::install_callbacks() {
    CURL* h = transfer_->handle;
    curl_easy_setopt(h, CURLOPT_PRIVATE, static_cast<void*>(transfer_.get()));
    if (transfer_->no_signals) {
        curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, static_cast<void*>(&transfer_->body));
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &collect);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, static_cast<void*>(&transfer_->header));
    curl_easy_setopt(h, CURLOPT_READFUNCTION, &feed);
    curl_easy_setopt(h, CURLOPT_READDATA, static_cast<void*>(&transfer_->upload));
}

void HttpClient::cleanup() {
    release();
    header_list_.reset();
}

void HttpClient::release() {
    transfer_.reset();
}

CURL* HttpClient::handle() const {
    return transfer_ ? transfer_->handle : nullptr;
}

void HttpClient::attach(CURL* handle) {
    cleanup();
    if (!handle) {
        return;
    }
    void* named = nullptr;
    if (curl_easy_getinfo(handle, CURLINFO_PRIVATE, &named) != CURLE_OK || !named) {
        return;
    }
    std::shared_ptr<Transfer> transfer;
    {
        std::lock_guard lock(registry_mutex);
        auto found = registry.find(named);
        if (found == registry.end()) {
            return;
        }
        transfer = std::static_pointer_cast<Transfer>(found->second.lock());
    }
    // A duplicate carries its original's private pointer but not its
    // buffers: it is not that client's handle.
    if (!transfer || transfer->handle != handle) {
        return;
    }
    transfer_ = std::move(transfer);
    header_list_ = transfer_->headers_in_use;
}

CurlEasyOwner HttpClient::duplicate() const {
    CURL* h = handle();
    return CurlEasyOwner(h ? curl_easy_duphandle(h) : nullptr);
}

CURLcode HttpClient::set_option(CURLoption option, long value) {
    CURL* h = handle();
    return h ? curl_easy_setopt(h, option, value) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode HttpClient::set_option(CURLoption option, void* value) {
    CURL* h = handle();
    return h ? curl_easy_setopt(h, option, value) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode HttpClient::set_option_large(CURLoption option, curl_off_t value) {
    CURL* h = handle();
    return h ? curl_easy_setopt(h, option, value) : CURLE_BAD_FUNCTION_ARGUMENT;
}

CURLcode HttpClient::set_option_text(CURLoption option, std::string_view text) {
    if (!transfer_) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    std::string& kept = transfer_->pinned[option];
    kept.assign(text);
    return curl_easy_setopt(transfer_->handle, option, kept.c_str());
}

CURLcode HttpClient::set_option_bytes(CURLoption option, std::string_view bytes) {
    return set_option_text(option, bytes);
}

CURLcode HttpClient::perform() {
    CURL* h = handle();
    return h ? curl_easy_perform(h) : CURLE_BAD_FUNCTION_ARGUMENT;
}

curl_off_t HttpClient::info_integer(CURLINFO info) const {
    CURL* h = handle();
    if (!h) {
        return 0;
    }
    if (info_of_kind(info, CURLINFO_LONG)) {
        long value = 0;
        return curl_easy_getinfo(h, info, &value) == CURLE_OK ? value : 0;
    }
    if (info_of_kind(info, CURLINFO_OFF_T)) {
        curl_off_t value = 0;
        return curl_easy_getinfo(h, info, &value) == CURLE_OK ? value : 0;
    }
    if (info_of_kind(info, CURLINFO_SOCKET)) {
        curl_socket_t value = CURL_SOCKET_BAD;
        return curl_easy_getinfo(h, info, &value) == CURLE_OK ? value : 0;
    }
    return 0;
}

double HttpClient::info_double(CURLINFO info) const {
    CURL* h = handle();
    double value = 0.0;
    if (!h || !info_of_kind(info, CURLINFO_DOUBLE) ||
        curl_easy_getinfo(h, info, &value) != CURLE_OK) {
        return 0.0;
    }
    return value;
}

std::string HttpClient::info_text(CURLINFO info) const {
    CURL* h = handle();
    // CURLINFO_PRIVATE is of the text kind but holds the client's own pointer.
    if (!h || !info_of_kind(info, CURLINFO_STRING) || info == CURLINFO_PRIVATE) {
        return {};
    }
    char* value = nullptr;
    if (curl_easy_getinfo(h, info, &value) != CURLE_OK || !value) {
        return {};
    }
    return value;
}

CURLcode HttpClient::info_list(CURLINFO info, std::vector<std::string>& entries) const {
    entries.clear();
    CURL* h = handle();
    if (!h || !answers_with_slist(info)) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    curl_slist* list = nullptr;
    CURLcode code = curl_easy_getinfo(h, info, &list);
    if (code != CURLE_OK) {
        return code;
    }
    for (curl_slist* entry = list; entry; entry = entry->next) {
        if (entry->data && *entry->data) {
            entries.emplace_back(entry->data);
        }
    }
    curl_slist_free_all(list);
    return CURLE_OK;
}

CURLcode HttpClient::info_certificates(CURLINFO info,
                                       std::vector<std::vector<std::string>>& certificates) const {
    certificates.clear();
    CURL* h = handle();
    if (!h || info != CURLINFO_CERTINFO) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    curl_certinfo* chain = nullptr;
    CURLcode code = curl_easy_getinfo(h, info, &chain);
    if (code != CURLE_OK || !chain) {
        return code;
    }
    for (int i = 0; i < chain->num_of_certs; ++i) {
        std::vector<std::string>& entries = certificates.emplace_back();
        for (curl_slist* entry = chain->certinfo[i]; entry; entry = entry->next) {
            if (entry->data) {
                entries.emplace_back(entry->data);
            }
        }
    }
    return CURLE_OK;
}

void HttpClient::reset_options() {
    if (!transfer_) {
        return;
    }
    curl_easy_reset(transfer_->handle);
    transfer_->pinned.clear();
    transfer_->headers_in_use.reset();
    transfer_->progress = nullptr;
    install_callbacks();
}

std::string HttpClient::escape(std::string_view text) const {
    if (text.size() > INT_MAX) {
        return {};
    }
    char* escaped = curl_easy_escape(handle(), text.data(), static_cast<int>(text.size()));
    if (!escaped) {
        return {};
    }
    std::string result = escaped;
    curl_free(escaped);
    return result;
}

std::string HttpClient::unescape(std::string_view text) const {
    if (text.size() > INT_MAX) {
        return {};
    }
    int length = 0;
    char* plain = curl_easy_unescape(handle(), text.data(), static_cast<int>(text.size()), &length);
    if (!plain) {
        return {};
    }
    std::string result(plain, static_cast<size_t>(length));
    curl_free(plain);
    return result;
}

std::string HttpClient::get_body_bytes() const {
    return transfer_ ? std::string(transfer_->body.bytes()) : std::string();
}

std::string HttpClient::get_body_text() const {
    return transfer_ ? text_until_zero(transfer_->body.bytes()) : std::string();
}

std::string HttpClient::get_header_bytes() const {
    return transfer_ ? std::string(transfer_->header.bytes()) : std::string();
}

std::string HttpClient::get_header_text() const {
    return transfer_ ? text_until_zero(transfer_->header.bytes()) : std::string();
}

bool HttpClient::set_upload(std::string_view bytes) {
    if (!transfer_) {
        return false;
    }
    transfer_->upload.clear();
    return append_upload(bytes);
}

bool HttpClient::append_upload(std::string_view bytes) {
    if (!transfer_) {
        return false;
    }
    try {
        transfer_->upload.append(bytes);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

MemBuffer* HttpClient::upload_buffer() const {
    return transfer_ ? &transfer_->upload : nullptr;
}

CURLcode HttpClient::set_progress(curl_xferinfo_callback routine, void* user_value) {
    if (!transfer_) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    CURL* h = transfer_->handle;
    transfer_->progress = routine;
    CURLcode code = curl_easy_setopt(h, CURLOPT_XFERINFODATA, user_value);
    code = first_failure(code, curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, routine));
    return first_failure(code, curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L));
}

CURLcode HttpClient::set_url(std::string_view url) {
    return set_option_text(CURLOPT_URL, url);
}

CURLcode HttpClient::set_proxy(std::string_view proxy) {
    return set_option_text(CURLOPT_PROXY, proxy);
}

CURLcode HttpClient::set_cookie_file(std::string_view path) {
    return set_option_text(CURLOPT_COOKIEFILE, path);
}

CURLcode HttpClient::set_cookie_jar(std::string_view path) {
    return set_option_text(CURLOPT_COOKIEJAR, path);
}

CURLcode HttpClient::set_cookie_list(std::string_view cookie) {
    return set_option_text(CURLOPT_COOKIELIST, cookie);
}

CURLcode HttpClient::set_timeouts_ms(std::optional<long> connect_ms, std::optional<long> total_ms) {
    CURLcode code = CURLE_OK;
    if (connect_ms) {
        code = set_option(CURLOPT_CONNECTTIMEOUT_MS, *connect_ms);
    }
    if (total_ms) {
        code = first_failure(code, set_option(CURLOPT_TIMEOUT_MS, *total_ms));
    }
    return code;
}

CURLcode HttpClient::set_timeouts(std::optional<long> connect_seconds,
                                  std::optional<long> total_seconds) {
    CURLcode code = CURLE_OK;
    if (connect_seconds) {
        code = set_option(CURLOPT_CONNECTTIMEOUT, *connect_seconds);
    }
    if (total_seconds) {
        code = first_failure(code, set_option(CURLOPT_TIMEOUT, *total_seconds));
    }
    return code;
}

CURLcode HttpClient::set_post(bool post) {
    return set_option(CURLOPT_POST, post ? 1L : 0L);
}

CURLcode HttpClient::set_post_bytes(std::string_view bytes) {
    if (bytes.size() > LONG_MAX) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    CURLcode code = set_option(CURLOPT_POSTFIELDSIZE, static_cast<long>(bytes.size()));
    if (code != CURLE_OK) {
        return code;
    }
    // COPYPOSTFIELDS copies exactly the size set above, zero bytes included;
    // a null pointer would make libcurl take the body from the read callback.
    const char* data = bytes.empty() ? "" : bytes.data();
    return curl_easy_setopt(handle(), CURLOPT_COPYPOSTFIELDS, data);
}

CURLcode HttpClient::set_post_text(std::string_view text) {
    return set_post_bytes(text);
}

CURLcode HttpClient::set_follow_redirects(bool follow) {
    return set_option(CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
}

CURLcode HttpClient::set_headers(const std::vector<std::string>& headers) {
    header_list_.reset();
    curl_slist* list = nullptr;
    for (const std::string& header : headers) {
        curl_slist* longer = curl_slist_append(list, header.c_str());
        if (!longer) {
            curl_slist_free_all(list);
            return CURLE_OUT_OF_MEMORY;
        }
        list = longer;
    }
    header_list_ = std::shared_ptr<curl_slist>(list, SlistDeleter{});
    if (!transfer_) {
        return CURLE_BAD_FUNCTION_ARGUMENT;
    }
    CURLcode code = curl_easy_setopt(transfer_->handle, CURLOPT_HTTPHEADER, list);
    transfer_->headers_in_use = header_list_;
    return code;
}

CURLcode HttpClient::set_referer(std::string_view referer) {
    return set_option_text(CURLOPT_REFERER, referer);
}

CURLcode HttpClient::set_user_agent(std::string_view user_agent) {
    return set_option_text(CURLOPT_USERAGENT, user_agent);
}

CURLcode HttpClient::set_ca_file(std::string_view path) {
    return set_option_text(CURLOPT_CAINFO, path);
}

CURLcode HttpClient::set_ssl_key(std::string_view path) {
    return set_option_text(CURLOPT_SSLKEY, path);
}

CURLcode HttpClient::set_verify(bool verify_peer, std::optional<bool> verify_host) {
    CURLcode code = set_option(CURLOPT_SSL_VERIFYPEER, verify_peer ? 1L : 0L);
    long host_check = (verify_host.has_value() && !*verify_host) ? 0L : 2L;
    return first_failure(code, set_option(CURLOPT_SSL_VERIFYHOST, host_check));
}

long HttpClient::response_code() const {
    return static_cast<long>(info_integer(CURLINFO_RESPONSE_CODE));
}

double HttpClient::total_time() const {
    return info_double(CURLINFO_TOTAL_TIME);
}

std::string HttpClient::effective_url() const {
    return info_text(CURLINFO_EFFECTIVE_URL);
}

std::string HttpClient::redirect_url() const {
    return info_text(CURLINFO_REDIRECT_URL);
}

std::string HttpClient::primary_ip() const {
    return info_text(CURLINFO_PRIMARY_IP);
}

long HttpClient::primary_port() const {
    return static_cast<long>(info_integer(CURLINFO_PRIMARY_PORT));
}

std::string HttpClient::local_ip() const {
    return info_text(CURLINFO_LOCAL_IP);
}

long HttpClient::local_port() const {
    return static_cast<long>(info_integer(CURLINFO_LOCAL_PORT));
}

int HttpClient::cookies(std::vector<std::string>& list) const {
    info_list(CURLINFO_COOKIELIST, list);
    return static_cast<int>(list.size());
}
