// A preset as one JSON object: the same walk as the text form, with groups
// of records as arrays ("oscil": [{...}, {...}, {...}]) and single records as
// objects ("patch": {...}). Floats are written with nine significant digits
// and doubles with seventeen, which reads back to the same value.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/morvane-bank/bank_describe.h"

namespace {
struct jsonSink : presetSink {
    std::string out;
    std::string group;  // the group whose record is open
    bool inArray = false, firstField = true;
    std::string pending;  // the group entered, opened at its first field
    int pendingIndex = -1;

    void key(const char* name)
    {
        if (!pending.empty()) {
            if (group == pending && inArray && pendingIndex > 0) {
                out += "\n  }, {";
            } else {
                closeRecord();
                out += ",\n  \"" + pending + (pendingIndex >= 0 ? "\": [{" : "\": {");
                group = pending;
                inArray = pendingIndex >= 0;
            }
            pending.clear();
            firstField = true;
        }
        out += firstField ? "\n    \"" : ",\n    \"";
        out += name;
        out += "\": ";
        firstField = false;
    }
    static std::string number(double v, int digits)
    {
        if (!std::isfinite(v)) return "null";
        char buf[40];
        std::snprintf(buf, sizeof buf, "%.*g", digits, v);
        return buf;
    }
    void closeRecord()
    {
        if (group.empty()) return;
        out += "\n  }";
        if (inArray) out += "]";
        group.clear();
        inArray = false;
    }
    void enter(const char* name, int index) override
    {
        pending = name;
        pendingIndex = index;
    }
    void num(const char* name, long long v) override
    {
        key(name);
        out += std::to_string(v);
    }
    void real(const char* name, double v) override
    {
        key(name);
        out += number(v, 9);
    }
    void realD(const char* name, double v) override
    {
        key(name);
        out += number(v, 17);
    }
    void derived(const char*, double) override {}
    void named(const char* name, long long v, const char*, const char*) override { num(name, v); }
    void count(const char*, const char* list, size_t n) override
    {
        // An empty list still appears, as [].
        if (n > 0) return;
        closeRecord();
        pending.clear();
        out += ",\n  \"" + std::string(list) + "\": []";
    }
    void none(const char* name) override
    {
        closeRecord();
        pending.clear();
        out += ",\n  \"" + std::string(name) + "\": null";
    }
    void chars(const char* name, const char* field, size_t size) override
    {
        key(name);
        out += '"';
        for (size_t i = 0; i < size && field[i]; ++i) {
            unsigned char c = static_cast<unsigned char>(field[i]);
            if (c == '"' || c == '\\') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c >= 32 && c < 127) {
                out += static_cast<char>(c);
            } else {
                char esc[8];
                std::snprintf(esc, sizeof esc, "\\u%04x", c);
                out += esc;
            }
        }
        out += '"';
    }
    void reals(const char* name, const float* v, int n) override
    {
        key(name);
        out += '[';
        for (int i = 0; i < n; ++i) out += (i ? "," : "") + number(v[i], 9);
        out += ']';
    }
    void ints(const char* name, const int32_t* v, int n) override
    {
        key(name);
        out += '[';
        for (int i = 0; i < n; ++i) out += (i ? "," : "") + std::to_string(v[i]);
        out += ']';
    }
    void breakpoints(const envBreakpointRec* bp, int n) override
    {
        key("bp");
        out += '[';
        for (int i = 0; i < n; ++i)
            out += std::string(i ? ",\n      " : "") + "{\"time\": " + number(bp[i].time, 17) +
                   ", \"level\": " + number(bp[i].level, 9) + ", \"slope\": " + number(bp[i].slope, 9) + "}";
        out += ']';
    }
};
}  // namespace

std::string describe_json(const presetRec* preset, int slot, bool isDefault)
{
    jsonSink f;
    f.out = "{\n  \"slot\": " + std::to_string(slot) + ",\n  \"default\": " + (isDefault ? "true" : "false");
    describe_walk(preset, f);
    f.closeRecord();
    f.out += "\n}\n";
    return f.out;
}
