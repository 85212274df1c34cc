#pragma once

#include <string>

struct Session;

// Conf.ini: whether the sign-in credentials are remembered (key "UID" of
// section "Conf": empty text = yes, "1" = no) and, if so, the last user name
// and password in scrambled form.

struct RememberedCredentials {
    bool remember = true;
    std::string user;
    std::string password;
};

// The path of Conf.ini in the run directory.
std::string conf_ini_path();

// Start-up: creates Conf.ini with an empty "UID" when it is missing, reads
// "UID" into session.uid_flag and, when remembering, the unscrambled user
// name and password.
RememberedCredentials load_remembered_credentials(Session& session);

// The remember toggle: flips "UID" and returns whether credentials are now
// remembered.
bool toggle_remember(Session& session);

// After a successful sign-in while remembering.
bool remember_credentials(const std::string& user, const std::string& password);
