#include "foundation/ExceptionTypes.h"

#include "foundation/Api.h"
#include "platform/win32.h"

namespace util {

// Each constructor runs its base's first, then makes the last entry its own:
// its run-time class name and its message template.
#define UTIL_DEFINE_EXCEPTION(Class, Base, Template)                                    \
    Class::Class(const wchar_t* file, const wchar_t* function, uint32_t line)           \
        : Base(file, function, line) {                                                  \
        SetLastEntry(typeid(Class), Template);                                          \
    }                                                                                   \
    Class::~Class() = default;

UTIL_DEFINE_EXCEPTION(SystemEx, Exception, L"NOT THROWN")
UTIL_DEFINE_EXCEPTION(MemEx, SystemEx, L"Memory exception.")
UTIL_DEFINE_EXCEPTION(InvalidOperationEx, SystemEx, L"Operation invalid in current state: <1>.")
UTIL_DEFINE_EXCEPTION(ArgumentEx, SystemEx, L"Invalid argument: ")
UTIL_DEFINE_EXCEPTION(ArgumentNullEx, ArgumentEx, L"NULL value invalid for param <1>.")
UTIL_DEFINE_EXCEPTION(KeyNotFoundEx, ArgumentEx, L"Key <1> was not found.")
UTIL_DEFINE_EXCEPTION(DeviceEx, SystemEx, L"NOT THROWN")
UTIL_DEFINE_EXCEPTION(DeviceNotOpenEx, DeviceEx, L"Device is not open.")
UTIL_DEFINE_EXCEPTION(DeviceOpenEx, DeviceEx, L"Device open failed.")
UTIL_DEFINE_EXCEPTION(DeviceAlreadyOpenEx, DeviceEx, L"Device is already open.")
UTIL_DEFINE_EXCEPTION(DeviceCapabilityEx, DeviceEx, L"Device capability error.")
UTIL_DEFINE_EXCEPTION(NotAssociatedEx, DeviceEx, L"Not associated.")
UTIL_DEFINE_EXCEPTION(AceEx, SystemEx, L"Ace exception.")
UTIL_DEFINE_EXCEPTION(DataEx, SystemEx, L"Data logic exception. ")
UTIL_DEFINE_EXCEPTION(InvalidFormatEx, DataEx, L"Data format is invalid.")
UTIL_DEFINE_EXCEPTION(ParseEx, DataEx, L"Parsing failed of ")
UTIL_DEFINE_EXCEPTION(IOEx, Exception, L"IO Exception.")
UTIL_DEFINE_EXCEPTION(RegistryEx, IOEx, L"Registry exception.")
UTIL_DEFINE_EXCEPTION(RegistryValueNotFoundEx, RegistryEx, L"Registry value not found.")
UTIL_DEFINE_EXCEPTION(RegistryOpenEx, RegistryEx, L"Registry open failed.")
UTIL_DEFINE_EXCEPTION(RegistryCloseEx, RegistryEx, L"Registry open failed.")
UTIL_DEFINE_EXCEPTION(RegistryWriteEx, RegistryEx, L"Registry write failed.")
UTIL_DEFINE_EXCEPTION(SystemCallEx, SystemEx, L"System call: <1> failed.")

SystemCallEx::SystemCallEx(const wchar_t* file, const wchar_t* function, uint32_t line, uint32_t index,
                           const String& value)
    : SystemCallEx(file, function, line) {
    SetParam(index, value);
}

OutOfMemory::OutOfMemory(const wchar_t* file, const wchar_t* function, uint32_t line, const std::bad_alloc& e)
    : MemEx(file, function, line) {
    AddStdException(file, function, line, e);
}
OutOfMemory::~OutOfMemory() = default;

StlEx::StlEx(const wchar_t* file, const wchar_t* function, uint32_t line, const std::exception& e) : Exception() {
    AddStdException(file, function, line, e);
}
StlEx::~StlEx() = default;

ApiEx::ApiEx(const wchar_t* file, const wchar_t* function, uint32_t line, uint32_t code)
    : Exception(file, function, line) {
    SetLastEntry(typeid(ApiEx), L"");
    SetLastCode(code);
    AppendMessage(SystemMessage(code));
}
ApiEx::~ApiEx() = default;

}  // namespace util
