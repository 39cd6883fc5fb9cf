// The fixed name tables of the device database: each maps the names of an
// enumeration or of the bits of a bit set to their values. Built once and
// never changed; names compare exactly (case-sensitive) and are walked in
// ascending UTF-16 code-unit order.
#pragma once

#include <cstdint>
#include <map>

#include "devicedb/Utf16Order.h"
#include "foundation/String.h"

namespace ace {

using NameTable = std::map<util::String, uint32_t, Utf16Less>;

const NameTable& TypeNames();
const NameTable& PhysicalDeviceTypeNames();
const NameTable& AccessStatusNames();
const NameTable& BearersNames();
const NameTable& FrequencyBandsNames();
const NameTable& HscsdSpeedsNames();
const NameTable& MessageNotificationTypeNames();
const NameTable& MessageStatusTypeNames();
const NameTable& MessageStorageLocationNames();

}  // namespace ace
