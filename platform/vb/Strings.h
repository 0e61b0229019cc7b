#pragma once
// VB string functions the program uses. Positions are 1-based as in VB; text is UTF-8 but all data the program
// handles is ASCII, so functions count bytes.

#include <string>
#include <string_view>
#include <vector>

namespace vb {

std::string Left(std::string_view s, long length);
std::string Right(std::string_view s, long length);
std::string Mid(std::string_view s, long start, long length = -1);  // length -1: to the end
long Len(std::string_view s);
long InStr(std::string_view haystack, std::string_view needle, long start = 1);  // 0 when not found
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);
std::string UCase(std::string_view s);
std::string Replace(std::string_view s, std::string_view find, std::string_view with);
std::vector<std::string> Split(std::string_view s, std::string_view delimiter);
// Text comparison without regard to case (vbTextCompare); returns -1, 0, 1.
int StrCompText(std::string_view a, std::string_view b);
bool EqualsNoCase(std::string_view a, std::string_view b);

}  // namespace vb
