// Sets (or, given null, removes) one environment variable of the C runtime for
// the life of the object and puts the previous state back.
#pragma once

#include <stdlib.h>

#include <optional>
#include <string>

namespace test {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = getenv(name)) previous_ = old;
        Set(name, value);
    }
    ~ScopedEnv() { Set(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    // _putenv_s changes the runtime's copy that getenv reads (SetEnvironmentVariable
    // would not); an empty value removes the variable.
    static void Set(const char* name, const char* value) {
#ifdef _WIN32
        _putenv_s(name, value != nullptr ? value : "");
#else
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
#endif
    }

    std::string name_;
    std::optional<std::string> previous_;
};

}  // namespace test
