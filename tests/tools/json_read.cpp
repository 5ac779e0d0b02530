// A small recursive JSON reader for the tests.
#include "tests/tools/json_read.h"

#include <cctype>
#include <cstdlib>

namespace {
const jsonValue kNull;

struct reader {
    const std::string& s;
    size_t at = 0;

    void space()
    {
        while (at < s.size() && std::isspace((unsigned char)s[at])) ++at;
    }
    bool literal(const char* word)
    {
        size_t n = std::string(word).size();
        if (s.compare(at, n, word) != 0) return false;
        at += n;
        return true;
    }
    bool text(std::string* out)
    {
        if (s[at] != '"') return false;
        for (++at; at < s.size() && s[at] != '"'; ++at) {
            if (s[at] != '\\') {
                *out += s[at];
                continue;
            }
            if (++at >= s.size()) return false;
            char c = s[at];
            if (c == 'u') {
                if (at + 4 >= s.size()) return false;
                *out += (char)std::strtol(s.substr(at + 1, 4).c_str(), nullptr, 16);
                at += 4;
            } else {
                *out += c == 'n' ? '\n' : (c == 't' ? '\t' : c);
            }
        }
        if (at >= s.size()) return false;
        ++at;
        return true;
    }
    bool value(jsonValue* v)
    {
        space();
        if (at >= s.size()) return false;
        char c = s[at];
        if (c == '{' || c == '[') {
            v->kind = c == '{' ? jsonValue::object : jsonValue::array;
            ++at;
            space();
            if (at < s.size() && s[at] == (c == '{' ? '}' : ']')) return ++at, true;
            for (;;) {
                space();
                std::string name;
                if (c == '{') {
                    if (!text(&name)) return false;
                    space();
                    if (at >= s.size() || s[at++] != ':') return false;
                }
                jsonValue item;
                if (!value(&item)) return false;
                if (c == '{')
                    v->members.push_back({name, item});
                else
                    v->items.push_back(item);
                space();
                if (at < s.size() && s[at] == ',') {
                    ++at;
                    continue;
                }
                return at < s.size() && s[at++] == (c == '{' ? '}' : ']');
            }
        }
        if (c == '"') {
            v->kind = jsonValue::string;
            return text(&v->text);
        }
        if (literal("null")) return true;
        if (literal("true") || literal("false")) {
            v->kind = jsonValue::boolean;
            v->text = s[at - 1] == 'e' && s[at - 2] == 'u' ? "true" : "false";
            return true;
        }
        size_t start = at;
        while (at < s.size() &&
               (std::isdigit((unsigned char)s[at]) || std::string("+-.eE").find(s[at]) != std::string::npos))
            ++at;
        if (at == start) return false;
        v->kind = jsonValue::number;
        v->text = s.substr(start, at - start);
        return true;
    }
};
}  // namespace

const jsonValue& jsonValue::operator[](const std::string& name) const
{
    for (const auto& m : members)
        if (m.first == name) return m.second;
    return kNull;
}

const jsonValue& jsonValue::operator[](size_t i) const { return i < items.size() ? items[i] : kNull; }
float jsonValue::f() const { return std::strtof(text.c_str(), nullptr); }
double jsonValue::d() const { return std::strtod(text.c_str(), nullptr); }
long long jsonValue::i() const { return std::strtoll(text.c_str(), nullptr, 10); }

bool json_parse(const std::string& text, jsonValue* out, size_t* at)
{
    *out = jsonValue();
    reader r{text};
    bool ok = r.value(out);
    r.space();
    ok = ok && r.at == text.size();
    if (at) *at = r.at;
    return ok;
}
