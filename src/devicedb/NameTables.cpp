// Each table is a function-local constant: built on first use, exactly once
// even when threads race, and safe to use from other static initialisers.
#include "devicedb/NameTables.h"

namespace ace {

const NameTable& TypeNames() {
    static const NameTable table{{L"Generic", 0}, {L"WWan", 1}, {L"WLan", 2}, {L"Lan", 3}};
    return table;
}

const NameTable& PhysicalDeviceTypeNames() {
    static const NameTable table{
        {L"Unknown", 0}, {L"Simple", 1}, {L"Handset", 2}, {L"PcCard", 3}, {L"Builtin", 4}};
    return table;
}

const NameTable& AccessStatusNames() {
    static const NameTable table{
        {L"SignalStrength", 1},        {L"SignalQuality", 2},   {L"NetworkName", 4},
        {L"NetworkRegistrationType", 8}, {L"BatteryStrength", 16}, {L"CellInfo", 32},
        {L"Roaming", 64},              {L"NetworkSelectionMode", 128}, {L"NetworkShortName", 256},
        {L"BitErrorRate", 512},        {L"NetworkLongName", 1024}};
    return table;
}

const NameTable& BearersNames() {
    static const NameTable table{{L"Lan", 1},        {L"WLan", 2},         {L"Dialup", 4},   {L"Hscsd", 8},
                                 {L"Gprs", 16},      {L"Edge", 32},        {L"Umts", 64},    {L"IdenPsd", 128},
                                 {L"IdenCsd", 256},  {L"Cdma", 512},       {L"Cdma2000", 1024},
                                 {L"CdmaEvdo", 2048}, {L"UmtsHsdpa", 4096}};
    return table;
}

const NameTable& FrequencyBandsNames() {
    static const NameTable table{{L"450", 1},   {L"800", 2},   {L"850", 4},   {L"900", 8},
                                 {L"1800", 16}, {L"1900", 32}, {L"2100", 64}};
    return table;
}

const NameTable& HscsdSpeedsNames() {
    static const NameTable table{{L"9600", 1},   {L"14400", 2},  {L"19200", 4},    {L"28800", 8},
                                 {L"38400", 16}, {L"43200", 32}, {L"57600", 64},   {L"72000", 128},
                                 {L"19200_2", 256}, {L"28800_2", 512}};
    return table;
}

const NameTable& MessageNotificationTypeNames() {
    static const NameTable table{{L"None", 0}, {L"Unsolicited", 1}, {L"Polling", 2}};
    return table;
}

const NameTable& MessageStatusTypeNames() {
    static const NameTable table{
        {L"RecUnread", 1}, {L"RecRead", 2}, {L"StoUnsent", 4}, {L"StoSent", 8}, {L"All", 16}};
    return table;
}

const NameTable& MessageStorageLocationNames() {
    static const NameTable table{{L"None", 0}, {L"ME", 1}, {L"SM", 2}, {L"ALL", 3}};
    return table;
}

}  // namespace ace
