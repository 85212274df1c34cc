#pragma once

#include <string>
#include <string_view>

// The folder that holds the program, or XINGHE_RUN_DIR when it is set. The
// settings files, version.json and the updater live there.
std::string run_directory();

// run_directory() + "/" + name
std::string run_file(std::string_view name);

bool file_exists(const std::string& path);
