// The two ways a command ends early. Bad usage (exit code 2) is found before
// anything in the world changes; a device or service failure (exit code 1)
// carries what the plug-in threw, when it threw.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ServiceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace host
