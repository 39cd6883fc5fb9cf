// UTF-8 (the command line, the terminal, JSON) to and from the plug-in's
// wide strings, through the platform's own conversions.
#pragma once

#include <string>

namespace host {

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace host
