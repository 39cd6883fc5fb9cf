// Profile documents validated by libxml2 against our copy of the WLAN
// profile schema (native builds).
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/xmlschemas.h>

#include <cstdarg>
#include <cstdio>
#include <memory>
#include <string>

#include "WlanRig.h"
#include "platform/Utf8.h"

namespace test {

namespace {

void Collect(void* errors, const char* format, ...) {
    char line[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(line, sizeof(line), format, args);
    va_end(args);
    static_cast<std::string*>(errors)->append(line);
}

}  // namespace

void ExpectSchemaValid(const std::wstring& xml) {
    std::unique_ptr<xmlSchemaParserCtxt, decltype(&xmlSchemaFreeParserCtxt)> parser(
        xmlSchemaNewParserCtxt(ACE_PROFILE_SCHEMA), xmlSchemaFreeParserCtxt);
    std::unique_ptr<xmlSchema, decltype(&xmlSchemaFree)> schema(xmlSchemaParse(parser.get()), xmlSchemaFree);
    ASSERT_NE(schema, nullptr) << "cannot read " << ACE_PROFILE_SCHEMA;
    std::string utf8;  // natively a wchar_t is one code point
    for (wchar_t c : xml) platform::AppendUtf8(static_cast<char32_t>(c), utf8);
    std::string errors;
    xmlSetGenericErrorFunc(&errors, Collect);
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        xmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), "profile.xml",
                      "UTF-8", XML_PARSE_NONET),
        xmlFreeDoc);
    xmlSetGenericErrorFunc(nullptr, nullptr);
    ASSERT_NE(doc, nullptr) << "not well-formed: " << errors << testing::PrintToString(xml);
    std::unique_ptr<xmlSchemaValidCtxt, decltype(&xmlSchemaFreeValidCtxt)> valid(xmlSchemaNewValidCtxt(schema.get()),
                                                                                  xmlSchemaFreeValidCtxt);
    xmlSchemaSetValidErrors(valid.get(), Collect, Collect, &errors);
    EXPECT_EQ(xmlSchemaValidateDoc(valid.get(), doc.get()), 0) << errors << testing::PrintToString(xml);
}

}  // namespace test
