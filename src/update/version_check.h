#pragma once

#include <string>
#include <string_view>

// The start-up comparison of the installed version (version.json in the run
// directory) with the one the update server publishes. Whenever they differ,
// or version.json is missing, the updater beside the program takes over and
// the program ends.

// Installed and published versions are compared as texts, byte for byte:
// any difference, older or newer, means the updater must run.
bool updater_must_run(std::string_view installed, std::string_view published);

// "http://" + update host + "/app/riraz_version.txt"
std::string published_version_url(std::string_view update_host);

// The download is bounded so that a server that accepts the connection and
// never answers cannot hold the login screen for ever.
inline constexpr long kVersionDownloadLimitMs = 15000;

// Member "version" of the JSON text at url (GBK on the wire); empty text
// when the download fails or runs out of time, or the reply is not a JSON
// object with that member.
std::string fetch_published_version(const std::string& url);

// Starts the program at path detached, without arguments, in a session of
// its own; not waited for. False when it could not be started.
bool start_updater(const std::string& path);

// Returns when the installed version is the published one; otherwise starts
// the updater and ends the program with exit code 0 (the exit clean-up
// registered with atexit runs).
void run_version_check();
