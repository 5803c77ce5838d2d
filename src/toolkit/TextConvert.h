#pragma once
// Conversions between 8-bit code-page text (e.g. GBK, code page 936) and the
// UTF-16 of Unicode windows.
#include <windows.h>

#include <string>

std::wstring AnsiToWide(const std::string& text, UINT codePage = CP_ACP);
std::string WideToAnsi(const std::wstring& text, UINT codePage = CP_ACP);
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
