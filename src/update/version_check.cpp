#include "update/version_check.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdlib>

#include "core/deploy_settings.h"
#include "core/program.h"
#include "core/run_directory.h"
#include "core/settings_file.h"
#include "core/text_encoding.h"
#include "mall/json_object.h"
#include "update/http_client.h"

extern char** environ;

bool updater_must_run(std::string_view installed, std::string_view published) {
    return installed != published;
}

std::string published_version_url(std::string_view update_host) {
    return "http://" + std::string(update_host) + "/app/riraz_version.txt";
}

std::string fetch_published_version(const std::string& url) {
    JsonObject published;
    HttpClient client;
    client.init();
    client.set_url(url);
    client.set_timeouts_ms(kVersionDownloadLimitMs, kVersionDownloadLimitMs);
    client.perform();  // a failed download leaves the body empty, which reads as no version
    std::string bytes = client.body_bytes();
    client.cleanup();
    published.parse(from_gbk(bytes.substr(0, bytes.find('\0'))));
    return published.get_text("version");
}

bool start_updater(const std::string& path) {
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        return false;
    }
    // A session of its own, so it outlives us; default signal handling and
    // none of our open descriptors (the database connection among them).
    sigset_t no_signals, default_signals;
    sigemptyset(&no_signals);
    sigemptyset(&default_signals);
    sigaddset(&default_signals, SIGPIPE);
    posix_spawnattr_setsigmask(&attributes, &no_signals);
    posix_spawnattr_setsigdefault(&attributes, &default_signals);
    posix_spawnattr_setflags(&attributes,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);

    pid_t pid = 0;
    char* argv[] = {const_cast<char*>(path.c_str()), nullptr};
    int error = posix_spawn(&pid, path.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error == 0;
}

namespace {

[[noreturn]] void hand_over_to_updater() {
    start_updater(run_file("updata"));  // a missing updater ends the program all the same
    end_program();
}

}  // namespace

void run_version_check() {
    const std::string version_file = run_file("version.json");
    if (!file_exists(version_file)) {
        hand_over_to_updater();
    }
    std::string published =
        fetch_published_version(published_version_url(load_deploy_settings().update_host));
    std::string installed = read_setting(version_file, "system", "version");
    if (updater_must_run(installed, published)) {
        hand_over_to_updater();
    }
}
