// A small JSON reader for the tests of morvane-bank's JSON output. Numbers
// keep their text, so a float field is read with strtof and a double with
// strtod, exactly as a consumer of the output would.
#pragma once

#include <string>
#include <utility>
#include <vector>

struct jsonValue {
    enum kindOf { null_, boolean, number, string, array, object } kind = null_;
    std::string text;  // a number's text, a string's value, "true" or "false"
    std::vector<jsonValue> items;
    std::vector<std::pair<std::string, jsonValue>> members;

    // A member or item; a null value when there is none.
    const jsonValue& operator[](const std::string& name) const;
    const jsonValue& operator[](size_t i) const;
    float f() const;
    double d() const;
    long long i() const;
};

// Parses the whole text; false (and *at the offset) on a syntax error.
bool json_parse(const std::string& text, jsonValue* out, size_t* at = nullptr);
