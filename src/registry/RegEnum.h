// The direct sub-keys of one key, as names or as full paths.
#pragma once

#include <vector>

#include "foundation/String.h"
#include "platform/win32.h"

namespace util {

class RegEnumKeys : public std::vector<String> {
public:
    RegEnumKeys(const String& keyPath, bool fullPaths, HKEY rootKey);
    virtual ~RegEnumKeys();

private:
    void Init(const String& keyPath, bool fullPaths, HKEY rootKey);
};

}  // namespace util
