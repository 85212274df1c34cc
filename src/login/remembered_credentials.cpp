#include "login/remembered_credentials.h"

#include "core/credentials.h"
#include "core/run_directory.h"
#include "core/session.h"
#include "core/settings_file.h"

std::string conf_ini_path() {
    return run_file("Conf.ini");
}

RememberedCredentials load_remembered_credentials(Session& session) {
    const std::string path = conf_ini_path();
    if (!file_exists(path)) {
        write_setting(path, "Conf", "UID", "");
    }
    session.uid_flag = read_setting(path, "Conf", "UID");
    RememberedCredentials credentials;
    credentials.remember = session.uid_flag.empty();
    if (credentials.remember) {
        credentials.user = unscramble(read_setting(path, "Conf", "user"), kCredentialKey);
        credentials.password = unscramble(read_setting(path, "Conf", "Passwd"), kCredentialKey);
    }
    return credentials;
}

bool toggle_remember(Session& session) {
    const std::string path = conf_ini_path();
    session.uid_flag = read_setting(path, "Conf", "UID");
    const bool now_remembering = session.uid_flag == "1";
    write_setting(path, "Conf", "UID", now_remembering ? "" : "1");
    return now_remembering;
}

bool remember_credentials(const std::string& user, const std::string& password) {
    const std::string path = conf_ini_path();
    bool ok = write_setting(path, "Conf", "user", scramble(user, kCredentialKey));
    return write_setting(path, "Conf", "Passwd", scramble(password, kCredentialKey)) && ok;
}
