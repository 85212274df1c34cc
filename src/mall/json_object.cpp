#include "mall/json_object.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "core/number_text.h"
#include "mall/json_writer.h"

using nlohmann::ordered_json;

struct JsonObject::Document {
    std::optional<ordered_json> root;  // nullopt: absent (after parsing empty text)
};

namespace {

using Root = std::optional<ordered_json>;

// Outside texts deeper than this are refused rather than risking the stack
// of the writer.
constexpr int kMaxNesting = 512;
// Writing far past the end of an array fills the gap with null; beyond this
// length the write is refused rather than exhausting memory.
constexpr long long kMaxArrayLength = 1 << 20;

struct Step {
    bool is_index = false;
    std::string name;
    long long index = 0;
};
using Path = std::vector<Step>;

// How an operation places its path after the root.
enum class Addressing {
    kMember,           // a path is needed, joined with "."
    kMemberOrElement,  // a path is needed; one beginning with "[" is an element of the root
    kRootOrMember,     // an empty path is the root
    kRootOrElement,
};

// Member names separated by ".", element indexes as [digits]; nullopt when
// malformed.
std::optional<Path> parse_path(std::string_view path, bool may_start_with_index) {
    if (path.empty() || (path.front() == '[' && !may_start_with_index)) {
        return std::nullopt;
    }
    Path steps;
    size_t i = 0;
    while (i < path.size()) {
        if (path[i] == '[') {
            size_t close = path.find(']', i);
            if (close == std::string_view::npos || close == i + 1) {
                return std::nullopt;
            }
            long long index = 0;
            for (char c : path.substr(i + 1, close - i - 1)) {
                if (c < '0' || c > '9') {
                    return std::nullopt;
                }
                index = index * 10 + (c - '0');
                if (index > INT_MAX) {
                    return std::nullopt;
                }
            }
            steps.push_back({true, {}, index});
            i = close + 1;
            continue;
        }
        if (path[i] == '.') {
            if (steps.empty()) {
                return std::nullopt;
            }
            ++i;
        } else if (!steps.empty()) {
            return std::nullopt;  // a name must follow a "."
        }
        size_t end = path.find_first_of(".[]", i);
        if (end == std::string_view::npos) {
            end = path.size();
        }
        if (end == i) {
            return std::nullopt;
        }
        steps.push_back({false, std::string(path.substr(i, end - i)), 0});
        i = end;
    }
    return steps;
}

std::optional<Path> parse_path(std::string_view path, Addressing how) {
    bool root_allowed = how == Addressing::kRootOrMember || how == Addressing::kRootOrElement;
    if (path.empty() && root_allowed) {
        return Path{};
    }
    bool element_first = how == Addressing::kMemberOrElement || how == Addressing::kRootOrElement;
    return parse_path(path, element_first);
}

template <typename Json>
Json* member(Json* object, const std::string& name) {
    auto found = object->find(name);
    return found == object->end() ? nullptr : &*found;
}

// One step on from value; nullptr when there is nothing there. A name on
// anything but an object, or an index on anything but an array or object,
// finds nothing (as a property of a JavaScript value would read undefined).
template <typename Json>
Json* step_into(Json* value, const Step& step) {
    if (value->is_object()) {
        return member(value, step.is_index ? std::to_string(step.index) : step.name);
    }
    if (step.is_index && value->is_array()) {
        if (step.index < 0 || static_cast<size_t>(step.index) >= value->size()) {
            return nullptr;
        }
        return &(*value)[static_cast<size_t>(step.index)];
    }
    return nullptr;
}

template <typename Json>
struct Lookup {
    bool failed = true;     // the path runs through a missing or null value
    Json* value = nullptr;  // nullptr: absent
};

template <typename Json, typename RootType>
Lookup<Json> follow(RootType& root, const Path& steps, size_t step_count) {
    Json* value = root ? &*root : nullptr;
    for (size_t i = 0; i < step_count; ++i) {
        if (!value || value->is_null()) {
            return {};
        }
        value = step_into(value, steps[i]);
    }
    return {false, value};
}

Lookup<const ordered_json> find(const Root& root, const std::optional<Path>& steps) {
    if (!steps) {
        return {};
    }
    return follow<const ordered_json>(root, *steps, steps->size());
}

// Where a write to the path goes, creating the member or the array
// element as needed. nullptr with failed set when the write cannot be made;
// nullptr alone when it would be lost (a member of an array or of a text).
ordered_json* place(Root& root, const Path& steps, bool& failed) {
    failed = false;
    if (steps.empty()) {
        if (!root) {
            root.emplace();
        }
        return &*root;
    }
    Lookup<ordered_json> parent = follow<ordered_json>(root, steps, steps.size() - 1);
    if (parent.failed || !parent.value || parent.value->is_null()) {
        failed = true;
        return nullptr;
    }
    ordered_json& at = *parent.value;
    const Step& last = steps.back();
    if (at.is_object()) {
        return &at[last.is_index ? std::to_string(last.index) : last.name];
    }
    if (last.is_index && at.is_array() && last.index >= 0) {
        if (last.index >= kMaxArrayLength) {
            failed = true;
            return nullptr;
        }
        return &at[static_cast<size_t>(last.index)];  // fills any gap with null
    }
    return nullptr;
}

bool assign(Root& root, const std::optional<Path>& steps, ordered_json value) {
    if (!steps) {
        return false;
    }
    bool failed = false;
    if (ordered_json* slot = place(root, *steps, failed)) {
        *slot = std::move(value);
    }
    return !failed;
}

bool nesting_within(std::string_view text, int limit) {
    int depth = 0;
    bool in_text = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (in_text) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                in_text = false;
            }
        } else if (c == '"') {
            in_text = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) {
                return false;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return true;
}

// The value of a JSON text; nullopt when the text is not valid JSON.
std::optional<ordered_json> json_value(std::string_view text) {
    if (!nesting_within(text, kMaxNesting)) {
        return std::nullopt;
    }
    ordered_json value = ordered_json::parse(text, nullptr, false);
    if (value.is_discarded()) {
        return std::nullopt;
    }
    return value;
}

bool is_blank(std::string_view text) {
    return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::string json_text(const ordered_json* value) {
    return value ? write_json(*value) : "";
}

// A value read as text: texts unchanged, numbers with at most 13
// significant digits, null and absent as empty text.
std::string plain_text(const ordered_json* value) {
    if (!value || value->is_null()) {
        return {};
    }
    if (value->is_string()) {
        return value->get<std::string>();
    }
    if (value->is_number()) {
        return number_text(value->get<double>());
    }
    if (value->is_boolean()) {
        return value->get<bool>() ? "true" : "false";
    }
    return write_json(*value);
}

double as_number(const ordered_json* value) {
    if (!value) {
        return 0;
    }
    if (value->is_number()) {
        return value->get<double>();
    }
    if (value->is_boolean()) {
        return value->get<bool>() ? 1 : 0;
    }
    if (value->is_string()) {
        const std::string& text = value->get_ref<const std::string&>();
        size_t begin = text.find_first_not_of(" \t\r\n");
        if (begin == std::string::npos) {
            return 0;
        }
        size_t end = text.find_last_not_of(" \t\r\n") + 1;
        double number = 0;
        auto result = std::from_chars(text.data() + begin, text.data() + end, number);
        if (result.ec == std::errc() && result.ptr == text.data() + end && std::isfinite(number)) {
            return number;
        }
    }
    return 0;
}

std::optional<ordered_json> value_of(std::string_view value, bool as_json) {
    if (as_json) {
        return json_value(value);
    }
    return ordered_json(std::string(value));
}

std::optional<Path> element_path(std::string_view path, int index) {
    std::optional<Path> steps = parse_path(path, Addressing::kRootOrMember);
    if (steps) {
        steps->push_back({true, {}, index});
    }
    return steps;
}

}  // namespace

JsonObject::JsonObject() {
    create();
}

void JsonObject::create() {
    document_ = std::make_shared<Document>();
    document_->root = ordered_json::object();
}

bool JsonObject::parse(std::string_view text) {
    document_ = std::make_shared<Document>();
    if (is_blank(text)) {
        return false;  // root absent
    }
    std::optional<ordered_json> value = json_value(text);
    document_->root = value ? std::move(*value) : ordered_json();
    return !document_->root->is_null();
}

std::string JsonObject::to_text() const {
    return document_->root ? write_json(*document_->root) : std::string();
}

void JsonObject::set_member(std::string_view path, std::string_view value, bool as_json) {
    if (as_json && value.empty()) {
        value = "{}";
    }
    if (std::optional<ordered_json> stored = value_of(value, as_json)) {
        assign(document_->root, parse_path(path, Addressing::kMember), std::move(*stored));
    }
}

void JsonObject::set_member_expression(std::string_view path, std::string_view json_text) {
    if (std::optional<ordered_json> stored = json_value(json_text)) {
        assign(document_->root, parse_path(path, Addressing::kMember), std::move(*stored));
    }
}

void JsonObject::set_number(std::string_view path, double value) {
    if (!std::isfinite(value)) {
        return;  // "%.13g" gives no number literal for these
    }
    char buffer[64];
    auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    double stored = 0;
    std::from_chars(buffer, written.ptr, stored);
    assign(document_->root, parse_path(path, Addressing::kMember), ordered_json(stored));
}

double JsonObject::get_number(std::string_view path) const {
    return as_number(find(document_->root, parse_path(path, Addressing::kMember)).value);
}

std::string JsonObject::get_member_json(std::string_view path) const {
    return json_text(find(document_->root, parse_path(path, Addressing::kMember)).value);
}

std::string JsonObject::get_text(std::string_view path, bool as_json) const {
    const ordered_json* value =
        find(document_->root, parse_path(path, Addressing::kMemberOrElement)).value;
    return as_json ? json_text(value) : plain_text(value);
}

JsonObject JsonObject::get_object(std::string_view path) const {
    JsonObject copy;
    copy.parse(get_text(path, true));
    return copy;
}

int JsonObject::count(std::string_view path) const {
    const ordered_json* value =
        find(document_->root, parse_path(path, Addressing::kRootOrElement)).value;
    if (value && (value->is_object() || value->is_array())) {
        return static_cast<int>(value->size());
    }
    return 0;
}

void JsonObject::append(std::string_view value, std::string_view path, bool as_literal) {
    // An empty literal appends nothing but still makes the place an array.
    std::optional<ordered_json> item;
    if (!as_literal || !value.empty()) {
        item = value_of(value, as_literal);
        if (!item) {
            return;
        }
    }
    std::optional<Path> steps = parse_path(path, Addressing::kRootOrMember);
    if (!steps) {
        return;
    }
    bool failed = false;
    ordered_json* target = place(document_->root, *steps, failed);
    if (!target) {
        return;
    }
    if (!target->is_array()) {
        *target = ordered_json::array();
    }
    if (item) {
        target->push_back(std::move(*item));
    }
}

JsonObject JsonObject::get_element_object(int index, std::string_view path) const {
    JsonObject copy;
    copy.parse(get_element_text(index, path, true));
    return copy;
}

std::string JsonObject::get_element_text(int index, std::string_view path, bool as_json) const {
    const ordered_json* value = find(document_->root, element_path(path, index)).value;
    return as_json ? json_text(value) : plain_text(value);
}

void JsonObject::set_element(int index, std::string_view value, bool as_literal) {
    if (std::optional<ordered_json> stored = value_of(value, as_literal)) {
        assign(document_->root, Path{{true, {}, index}}, std::move(*stored));
    }
}

void JsonObject::remove_element(int index) {
    Root& root = document_->root;
    if (!root || !root->is_array()) {
        return;
    }
    // As Array#splice: a negative index counts from the end.
    long long size = static_cast<long long>(root->size());
    long long at = index < 0 ? std::max(size + index, 0LL) : index;
    if (at < size) {
        root->erase(static_cast<size_t>(at));
    }
}

void JsonObject::remove_by_path(std::string_view path) {
    size_t open = path.find('[');
    if (open == std::string_view::npos) {
        return;
    }
    std::string_view name = path.substr(0, open);
    size_t close = path.find(']', open + 1);
    std::string_view index_text =
        path.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    JsonObject array;
    array.parse(get_text(name, true));
    array.remove_element(text_to_int(index_text));
    set_member_expression(name, array.to_text());
}

void JsonObject::reset(int type) {
    if (type == kNull || type == kObject) {
        document_->root = ordered_json::object();
    } else if (type == kArray) {
        document_->root = ordered_json::array();
    }
}

void JsonObject::set_root(std::string_view value, bool as_literal) {
    if (std::optional<ordered_json> stored = value_of(value, as_literal)) {
        document_->root = std::move(*stored);
    }
}

bool JsonObject::has_member(std::string_view path) const {
    const ordered_json* value = find(document_->root, parse_path(path, Addressing::kMember)).value;
    return value && !value->is_null();
}

int JsonObject::keys(std::vector<std::string>& list, std::string_view path) const {
    list.clear();
    const ordered_json* value =
        find(document_->root, parse_path(path, Addressing::kRootOrElement)).value;
    if (value && value->is_object()) {
        for (auto member = value->begin(); member != value->end(); ++member) {
            list.push_back(member.key());
        }
    } else if (value && value->is_array()) {
        for (size_t i = 0; i < value->size(); ++i) {
            list.push_back(std::to_string(i));
        }
    }
    return static_cast<int>(list.size());
}

int JsonObject::type_of(std::string_view path) const {
    const ordered_json* value =
        find(document_->root, parse_path(path, Addressing::kRootOrMember)).value;
    if (!value || value->is_null()) {
        return kNull;
    }
    switch (value->type()) {
        case ordered_json::value_t::boolean:
            return kBoolean;
        case ordered_json::value_t::number_integer:
        case ordered_json::value_t::number_unsigned:
        case ordered_json::value_t::number_float:
            return kNumber;
        case ordered_json::value_t::object:
            return kObject;
        case ordered_json::value_t::array:
            return kArray;
        case ordered_json::value_t::string:
            return kText;
        default:
            return kOther;
    }
}

void JsonObject::clear() {
    document_->root = ordered_json::object();
}
