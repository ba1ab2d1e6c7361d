// The programs keep their own texts as Windows-1251 bytes. The window layers
// show them through the wide (UTF-16) calls, converted from 1251 itself and
// never through the system's ANSI code page, so that they read the same on a
// system set to 1251, 1252 or UTF-8.
#pragma once

#include "platform/win32.h"

#include <string>

namespace desk {

// The code page of every text the programs carry themselves.
constexpr UINT kOwnTextCodePage = 1251;

// `length` bytes of Windows-1251 text (all of it up to the NUL when -1) as
// UTF-16. Every byte value has a meaning in 1251, so nothing is lost.
inline std::wstring Wide(const char* text, int length = -1) {
    if (!text || length == 0)
        return std::wstring();
    const int needed = MultiByteToWideChar(kOwnTextCodePage, 0, text, length, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(kOwnTextCodePage, 0, text, length, out.data(), needed);
    if (length < 0 && !out.empty() && out.back() == L'\0')
        out.pop_back();
    return out;
}

inline std::wstring Wide(const std::string& text) {
    return Wide(text.data(), static_cast<int>(text.size()));
}

// UTF-16 text as Windows-1251 bytes; a character that 1251 has no byte for
// becomes '?'.
inline std::string Narrow(const wchar_t* text, int length = -1) {
    if (!text || length == 0)
        return std::string();
    const int needed =
        WideCharToMultiByte(kOwnTextCodePage, 0, text, length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return std::string();
    std::string out(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(kOwnTextCodePage, 0, text, length, out.data(), needed, nullptr, nullptr);
    if (length < 0 && !out.empty() && out.back() == '\0')
        out.pop_back();
    return out;
}

// A window's text in UTF-16, whatever the window's kind.
inline std::wstring WindowTextWide(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(hwnd, out.data(), length + 1);
    out.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return out;
}

// MessageBoxW with Windows-1251 text and caption.
inline int MessageBox1251(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), type);
}

} // namespace desk
