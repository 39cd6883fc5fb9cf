// The exception class tree with the message template of each class.
#pragma once

#include "foundation/Exception.h"

namespace util {

#define UTIL_DECLARE_EXCEPTION(Class, Base)                                  \
    class Class : public Base {                                              \
    public:                                                                  \
        Class(const wchar_t* file, const wchar_t* function, uint32_t line); \
        ~Class() override;                                                   \
    };

UTIL_DECLARE_EXCEPTION(SystemEx, Exception)
UTIL_DECLARE_EXCEPTION(MemEx, SystemEx)
UTIL_DECLARE_EXCEPTION(InvalidOperationEx, SystemEx)
UTIL_DECLARE_EXCEPTION(ArgumentEx, SystemEx)
UTIL_DECLARE_EXCEPTION(ArgumentNullEx, ArgumentEx)
UTIL_DECLARE_EXCEPTION(KeyNotFoundEx, ArgumentEx)
UTIL_DECLARE_EXCEPTION(DeviceEx, SystemEx)
UTIL_DECLARE_EXCEPTION(DeviceNotOpenEx, DeviceEx)
UTIL_DECLARE_EXCEPTION(DeviceOpenEx, DeviceEx)
UTIL_DECLARE_EXCEPTION(DeviceAlreadyOpenEx, DeviceEx)
UTIL_DECLARE_EXCEPTION(DeviceCapabilityEx, DeviceEx)
UTIL_DECLARE_EXCEPTION(NotAssociatedEx, DeviceEx)
UTIL_DECLARE_EXCEPTION(AceEx, SystemEx)
UTIL_DECLARE_EXCEPTION(DataEx, SystemEx)
UTIL_DECLARE_EXCEPTION(InvalidFormatEx, DataEx)
UTIL_DECLARE_EXCEPTION(ParseEx, DataEx)
UTIL_DECLARE_EXCEPTION(IOEx, Exception)
UTIL_DECLARE_EXCEPTION(RegistryEx, IOEx)
UTIL_DECLARE_EXCEPTION(RegistryValueNotFoundEx, RegistryEx)
UTIL_DECLARE_EXCEPTION(RegistryOpenEx, RegistryEx)
UTIL_DECLARE_EXCEPTION(RegistryCloseEx, RegistryEx)
UTIL_DECLARE_EXCEPTION(RegistryWriteEx, RegistryEx)

// "System call: <1> failed."; parameter 1 names the call.
class SystemCallEx : public SystemEx {
public:
    SystemCallEx(const wchar_t* file, const wchar_t* function, uint32_t line);
    SystemCallEx(const wchar_t* file, const wchar_t* function, uint32_t line, uint32_t index, const String& value);
    ~SystemCallEx() override;
};

// "Memory exception." (with the type of util::MemEx), then an entry for the
// caught std::bad_alloc.
class OutOfMemory : public MemEx {
public:
    OutOfMemory(const wchar_t* file, const wchar_t* function, uint32_t line, const std::bad_alloc& e);
    ~OutOfMemory() override;
};

// One entry only: the caught standard exception's class and what() text.
class StlEx : public Exception {
public:
    StlEx(const wchar_t* file, const wchar_t* function, uint32_t line, const std::exception& e);
    ~StlEx() override;
};

// The operating system's text for `code`, with the entry's code set.
class ApiEx : public Exception {
public:
    ApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, uint32_t code);
    ~ApiEx() override;
};

}  // namespace util
