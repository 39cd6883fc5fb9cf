// A whole exception stack as rows, innermost entry first.
#pragma once

#include <string>
#include <vector>

#include "TestSupport.h"
#include "foundation/Api.h"

namespace test {

struct Entry {
    std::wstring type, function, message;
    uint32_t code = 0;
};

// The kernel's entry for `call` failing with `code`.
inline Entry Api(const std::wstring& call, uint32_t code) {
    return {L"class util::ApiEx", L"wapi::" + call, util::SystemMessage(code), code};
}
// `function` reporting that `call` failed.
inline Entry Call(const std::wstring& function, const std::wstring& call) {
    return {L"class util::SystemCallEx", function, L"System call: " + call + L" failed."};
}
inline Entry Stack(const std::wstring& function) { return {L"Stack Entry", function, L""}; }

inline void ExpectEntries(const util::Exception& e, const std::vector<Entry>& rows) {
    ASSERT_EQ(e.Entries().size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        ExpectEntry(e, i, rows[i].type, rows[i].function, rows[i].message, rows[i].code);
}

}  // namespace test
