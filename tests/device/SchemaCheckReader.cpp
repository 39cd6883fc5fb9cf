// Profile documents on builds without libxml2 (Windows): well-formed by the
// project's reader, and every '&' the start of a reference.
#include <gtest/gtest.h>

#include <regex>

#include "WlanRig.h"
#include "xml/XmlReader.h"

namespace test {

void ExpectSchemaValid(const std::wstring& xml) {
    pug::xml_parser doc;
    EXPECT_NO_THROW(util::XmlReader::Parse(util::String(xml), doc)) << testing::PrintToString(xml);
    static const std::wregex bareAmpersand(L"&(?!(amp|lt|gt|quot|apos|#[0-9]+|#x[0-9a-fA-F]+);)");
    EXPECT_FALSE(std::regex_search(xml, bareAmpersand)) << testing::PrintToString(xml);
}

}  // namespace test
