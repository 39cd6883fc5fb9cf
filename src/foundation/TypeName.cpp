#include "foundation/TypeName.h"

#include <cstdlib>
#include <cxxabi.h>
#include <memory>

namespace util {

String TypeName(const std::type_info& type) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                     std::free);
    const char* name = (status == 0 && demangled) ? demangled.get() : type.name();
    String out(L"class ");
    for (const char* p = name; *p; ++p) out.push_back(static_cast<unsigned char>(*p));
    return out;
}

}  // namespace util
