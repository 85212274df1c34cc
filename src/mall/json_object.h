#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One JSON document, read and changed through paths such as
// data.list[0].name (members after ".", array elements as [index]).
// Texts cross this interface as UTF-8.
//
// Nothing reports an error: an operation that cannot be carried out (an
// empty or malformed path where one is needed, a path through a member that
// does not exist, an invalid JSON text) gives the empty result of its kind
// (empty text, 0, false, an object whose root is absent) and leaves the
// document as it was.
//
// Copies hold the same document: a change through one is seen through the
// other. parse() and create() give this holder a fresh document of its own.
class JsonObject {
public:
    // Type codes of type_of() and reset().
    enum Type {
        kNull = 0,
        kBoolean = 1,
        kNumber = 2,
        kObject = 4,
        kArray = 5,
        kText = 6,
        kOther = -1
    };

    // Holds an empty object.
    JsonObject();

    // A further holder of the same document.
    JsonObject copy() const { return *this; }
    // A fresh document holding an empty object.
    void create();
    // A fresh document holding the value of text. True when that value is
    // neither null nor absent: empty text leaves the root absent (to_text
    // gives empty text), invalid text leaves it null (to_text gives "null").
    bool parse(std::string_view text);
    // The whole document as compact JSON; empty text when the root is absent.
    std::string to_text() const;

    // Sets the member to the text value, or with as_json to the value of the
    // JSON text (empty text: an empty object).
    void set_member(std::string_view path, std::string_view value, bool as_json = false);
    void set_member_expression(std::string_view path, std::string_view json_text);
    // Stores the number as it reads back from 13 significant digits.
    void set_number(std::string_view path, double value);
    // 0 when the member is absent or no number.
    double get_number(std::string_view path) const;
    // The member as JSON text; empty text when absent.
    std::string get_member_json(std::string_view path) const;
    // The member as text (a number with 13 significant digits at most, a
    // text unchanged, absent or null as empty text), or with as_json as JSON
    // text. A path may begin with [i] to address an element of the root.
    std::string get_text(std::string_view path, bool as_json = false) const;
    // An independent object holding a deep copy of the member.
    JsonObject get_object(std::string_view path) const;
    // Members of an object or elements of an array; 0 for anything else. An
    // empty path counts the root.
    int count(std::string_view path = {}) const;
    // Appends the text value (or with as_literal the value of the JSON text)
    // to the array at path (empty: the root); a value there that is not an
    // array is first replaced by an empty array.
    void append(std::string_view value, std::string_view path = {}, bool as_literal = false);
    JsonObject get_element_object(int index, std::string_view path = {}) const;
    std::string get_element_text(int index, std::string_view path = {}, bool as_json = false) const;
    // Sets element index of the root array (later elements than the array
    // holds are filled with null).
    void set_element(int index, std::string_view value, bool as_literal = false);
    // Removes element index of the root array (negative: counted from the
    // end); later elements move down by one.
    void remove_element(int index);
    // Removes one element of an array member named as in items[3].
    void remove_by_path(std::string_view path);
    // 0 or 4: the root becomes an empty object; 5: an empty array; any other
    // code changes nothing.
    void reset(int type);
    void set_root(std::string_view value, bool as_literal = false);
    // True when the member exists and is not null.
    bool has_member(std::string_view path) const;
    // Replaces list by the member names of the value at path (an array gives
    // its indexes), in order; the result is their number.
    int keys(std::vector<std::string>& list, std::string_view path = {}) const;
    // Type code of the value at path (empty: the root).
    int type_of(std::string_view path = {}) const;
    // The root becomes an empty object.
    void clear();

private:
    struct Document;
    std::shared_ptr<Document> document_;
};
