#include "export/export_file_name.h"

std::string file_name_with_extension(std::string_view path, std::string_view extension) {
    if (path.empty() || extension.empty()) {
        return std::string(path);
    }
    size_t name_start = path.rfind('/');
    name_start = name_start == std::string_view::npos ? 0 : name_start + 1;
    std::string result(path.substr(0, name_start));
    std::string_view name = path.substr(name_start);
    if (name.ends_with(extension)) {
        // Taken out of the file name only: a folder such as "old.xls.d/"
        // must not turn into another folder.
        for (size_t found = name.find(extension); found != std::string_view::npos;
             found = name.find(extension)) {
            result.append(name.substr(0, found));
            name.remove_prefix(found + extension.size());
        }
    }
    result.append(name);
    result.append(extension);
    return result;
}

std::string xls_file_name(std::string_view path) {
    return file_name_with_extension(path, ".xls");
}

std::string txt_file_name(std::string_view path) {
    return file_name_with_extension(path, ".txt");
}
