// Checks of what the user typed, made before the device is touched, so that
// bad input changes nothing in the world. Each throws UsageError with the
// one-line reason.
#pragma once

#include <string>

namespace host {

void CheckSsid(const std::string& ssid);
void CheckKeyIndex(unsigned index);
// `security` is one of the names SecurityFromName accepts.
void CheckKey(const std::string& security, const std::string& key);

}  // namespace host
