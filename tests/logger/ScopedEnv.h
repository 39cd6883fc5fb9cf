// Sets (or removes) one environment variable of the C runtime for the life of
// the object and puts the previous state back. The runtime's own call differs
// by platform; the build picks ScopedEnvPosix.cpp or ScopedEnvWindows.cpp.
#pragma once

#include <string>

namespace test {

// Sets the variable; a null value removes it.
void SetRuntimeEnv(const char* name, const char* value);

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::string previous_;
    bool hadPrevious_ = false;
};

}  // namespace test
