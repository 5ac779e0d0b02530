// Fixed-size text fields of the stored records: zero-padded, and not
// zero-terminated when the text fills the whole field.
#pragma once
#include <cstring>

inline void fixedText_set(char* field, size_t size, const char* text)
{
    std::memset(field, 0, size);
    if (text) std::memcpy(field, text, strnlen(text, size));
}
