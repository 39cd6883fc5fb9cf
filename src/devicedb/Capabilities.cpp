#include "devicedb/Capabilities.h"

#include "devicedb/DBValues.h"
#include "devicedb/NameTables.h"
#include "foundation/CatchChain.h"
#include "xml/XmlSerializer.h"

namespace ace {
namespace {

const wchar_t kElement[] = L"Capabilities";

// One capability value: its XML key and how it is stored. Bools have no
// table; the others name theirs.
struct Field {
    const wchar_t* key;
    uint32_t Capabilities::*number;  // bit set or enumeration
    bool Capabilities::*flag;        // bool
    const NameTable& (*table)();
    bool bitSet;
};

constexpr Field BitSet(const wchar_t* key, uint32_t Capabilities::*member, const NameTable& (*table)()) {
    return {key, member, nullptr, table, true};
}
constexpr Field Enum(const wchar_t* key, uint32_t Capabilities::*member, const NameTable& (*table)()) {
    return {key, member, nullptr, table, false};
}
constexpr Field Bool(const wchar_t* key, bool Capabilities::*member) { return {key, nullptr, member, nullptr, false}; }

// In field order, which is both the read and the write order.
const Field kFields[] = {
    BitSet(L"AccessStatus", &Capabilities::AccessStatus, AccessStatusNames),
    BitSet(L"Bearers", &Capabilities::Bearers, BearersNames),
    BitSet(L"FrequencyBands", &Capabilities::FrequencyBands, FrequencyBandsNames),
    BitSet(L"HscsdSpeeds", &Capabilities::HscsdSpeeds, HscsdSpeedsNames),
    Enum(L"MessageNotificationType", &Capabilities::MessageNotificationType, MessageNotificationTypeNames),
    BitSet(L"MessageStatusType", &Capabilities::MessageStatusType, MessageStatusTypeNames),
    Enum(L"MessageStorageLocation", &Capabilities::MessageStorageLocation, MessageStorageLocationNames),
    Bool(L"Duplex", &Capabilities::Duplex),
    Bool(L"FunctionalityRFOff", &Capabilities::FunctionalityRFOff),
};

bool Differs(const Field& f, const Capabilities& a, const Capabilities& b) {
    return f.flag != nullptr ? a.*f.flag != b.*f.flag : a.*f.number != b.*f.number;
}

void ReadField(const Field& f, util::XmlSerializeReader& reader, Capabilities& caps) {
    if (f.flag != nullptr) {
        dbvalue::ReadBool(reader, caps.*f.flag, f.key, true);
    } else if (f.bitSet) {
        dbvalue::ReadBitSet(reader, caps.*f.number, f.table(), f.key, true);
    } else {
        dbvalue::ReadEnum(reader, caps.*f.number, f.table(), f.key, true);
    }
}

void ReadFieldOr(const Field& f, util::XmlSerializeReader& reader, Capabilities& caps, const Capabilities& defaults) {
    if (f.flag != nullptr) {
        caps.*f.flag = defaults.*f.flag;
        dbvalue::ReadBool(reader, caps.*f.flag, f.key, false);
    } else if (f.bitSet) {
        dbvalue::ReadBitSetOr(reader, caps.*f.number, defaults.*f.number, f.table(), f.key);
    } else {
        dbvalue::ReadEnumOr(reader, caps.*f.number, defaults.*f.number, f.table(), f.key);
    }
}

void WriteField(const Field& f, util::XmlSerializeWriter& writer, const Capabilities& caps) {
    if (f.flag != nullptr) {
        dbvalue::WriteBool(writer, caps.*f.flag, f.key);
    } else if (f.bitSet) {
        dbvalue::WriteBitSet(writer, caps.*f.number, f.table(), f.key);
    } else {
        dbvalue::WriteEnum(writer, caps.*f.number, f.table(), f.key);
    }
}

}  // namespace

Capabilities::Capabilities() = default;
Capabilities::~Capabilities() = default;

bool Capabilities::operator==(const Capabilities& other) const {
    return AccessStatus == other.AccessStatus && Bearers == other.Bearers &&
           FrequencyBands == other.FrequencyBands && HscsdSpeeds == other.HscsdSpeeds &&
           MessageNotificationType == other.MessageNotificationType &&
           MessageStatusType == other.MessageStatusType && MessageStorageLocation == other.MessageStorageLocation &&
           Duplex == other.Duplex && FunctionalityRFOff == other.FunctionalityRFOff;
}

void Capabilities::Read(util::XmlSerializeReader& reader) {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(reader, kElement);
    for (const Field& f : kFields) ReadField(f, reader, *this);
    UTIL_CATCH_CHAIN(L"ace::Capabilities::Read")
}

void Capabilities::Read(util::XmlSerializeReader& reader, const Capabilities& defaults) {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(reader, kElement);
    for (const Field& f : kFields) ReadFieldOr(f, reader, *this, defaults);
    UTIL_CATCH_CHAIN(L"ace::Capabilities::Read")
}

void Capabilities::Write(util::XmlSerializeWriter& writer) const {
    UTIL_TRY
    util::XmlSerializer::ATagLevel level(writer, kElement);
    for (const Field& f : kFields) WriteField(f, writer, *this);
    UTIL_CATCH_CHAIN(L"ace::Capabilities::Write")
}

void Capabilities::Write(util::XmlSerializeWriter& writer, const Capabilities& reference) const {
    UTIL_TRY
    // A scope in which nothing is put leaves no element.
    util::XmlSerializer::ATagLevel level(writer, kElement);
    for (const Field& f : kFields) {
        if (Differs(f, *this, reference)) WriteField(f, writer, *this);
    }
    UTIL_CATCH_CHAIN(L"ace::Capabilities::Write")
}

}  // namespace ace
