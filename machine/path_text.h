// Text helpers for the file systems' path code: game names may use either
// slash, and results go back into the caller's fixed buffer.
#pragma once

#include <cstring>
#include <string>

// Copies as much of text as fits, always ending the buffer with a zero.
inline void CopyOut(const std::string& text, char* out, size_t outSize) {
    if (outSize == 0) return;
    const size_t n = text.size() < outSize - 1 ? text.size() : outSize - 1;
    std::memcpy(out, text.data(), n);
    out[n] = 0;
}

inline bool IsSeparator(char c) { return c == '\\' || c == '/'; }
