#include <gtest/gtest.h>

#include "TestSupport.h"
#include "foundation/Api.h"

namespace {

TEST(Api, ApiExCarriesCodeAndOneLineSystemTextEmptyForUnknownCodes) {
    EXPECT_FALSE(util::SystemMessage(ERROR_FILE_NOT_FOUND).empty());
    util::ApiEx e(L"f.cpp", L"wapi::X", 1, ERROR_INVALID_HANDLE);
    test::ExpectEntry(e, 0, L"class util::ApiEx", L"wapi::X", util::SystemMessage(ERROR_INVALID_HANDLE),
                      ERROR_INVALID_HANDLE);
    EXPECT_NE(e.Entries()[0].message.find(L"handle"), std::wstring::npos);
    EXPECT_EQ(e.Entries()[0].message.find(L"\n"), std::wstring::npos);

    EXPECT_EQ(util::SystemMessage(0x2BADC0DEu), L"");
    util::ApiEx unknown(L"f.cpp", L"wapi::X", 1, 0x2BADC0DEu);
    test::ExpectEntry(unknown, 0, L"class util::ApiEx", L"wapi::X", L"", 0x2BADC0DEu);
}

}  // namespace
