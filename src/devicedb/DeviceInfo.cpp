#include "devicedb/DeviceInfo.h"

#include "devicedb/DBValues.h"
#include "devicedb/NameTables.h"
#include "foundation/CatchChain.h"
#include "xml/XmlSerializer.h"

namespace ace {
namespace {
const wchar_t kDllFile[] = L"DllFile";
const wchar_t kType[] = L"Type";
const wchar_t kPhysicalDeviceType[] = L"PhysicalDeviceType";
}  // namespace

DBDeviceInfo::DBDeviceInfo() = default;
DBDeviceInfo::~DBDeviceInfo() = default;

bool DBDeviceInfo::operator==(const DBDeviceInfo& other) const {
    return DllFile == other.DllFile && Type == other.Type && capabilities == other.capabilities &&
           PhysicalDeviceType == other.PhysicalDeviceType;
}

void DBDeviceInfo::Read(util::XmlSerializeReader& reader, const DBDeviceInfo& defaults) {
    UTIL_TRY
    // The kind of device has no sensible default.
    dbvalue::ReadEnum(reader, Type, TypeNames(), kType, true);
    DllFile = defaults.DllFile;
    dbvalue::ReadText(reader, DllFile, kDllFile, false);
    dbvalue::ReadEnumOr(reader, PhysicalDeviceType, defaults.PhysicalDeviceType, PhysicalDeviceTypeNames(),
                        kPhysicalDeviceType);
    capabilities.Read(reader, defaults.capabilities);
    UTIL_CATCH_CHAIN(L"ace::DBDeviceInfo::Read")
}

void DBDeviceInfo::Read(util::XmlSerializeReader& reader) {
    UTIL_TRY
    dbvalue::ReadEnum(reader, Type, TypeNames(), kType, true);
    dbvalue::ReadText(reader, DllFile, kDllFile, true);
    dbvalue::ReadEnum(reader, PhysicalDeviceType, PhysicalDeviceTypeNames(), kPhysicalDeviceType, true);
    capabilities.Read(reader);
    UTIL_CATCH_CHAIN(L"ace::DBDeviceInfo::Read")
}

void DBDeviceInfo::Write(util::XmlSerializeWriter& writer, const DBDeviceInfo& reference) const {
    UTIL_TRY
    dbvalue::WriteEnum(writer, Type, TypeNames(), kType);
    if (DllFile != reference.DllFile) dbvalue::WriteText(writer, DllFile, kDllFile);
    capabilities.Write(writer, reference.capabilities);
    UTIL_CATCH_CHAIN(L"ace::DBDeviceInfo::Write")
}

void DBDeviceInfo::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    dbvalue::WriteEnum(writer, Type, TypeNames(), kType);
    dbvalue::WriteEnum(writer, PhysicalDeviceType, PhysicalDeviceTypeNames(), kPhysicalDeviceType);
    dbvalue::WriteText(writer, DllFile, kDllFile);
    capabilities.Write(writer);
    UTIL_CATCH_CHAIN(L"ace::DBDeviceInfo::Write")
}

}  // namespace ace
