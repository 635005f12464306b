// UTF-8 inside, UTF-16 at the system boundary.
#pragma once

#include <string>
#include <string_view>

namespace zentick::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace zentick::win32
