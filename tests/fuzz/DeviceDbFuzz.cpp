// Feeds arbitrary documents to the device-database read, complete and with
// defaults. Refusals are expected; crashes and leaks are not. A record that
// was read writes a document that reads back to the same document.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>

#include "devicedb/DeviceInfo.h"
#include "foundation/ExceptionTypes.h"
#include "xml/TextCodec.h"
#include "xml/XmlSerializer.h"

namespace {

const wchar_t kRoot[] = L"Device";

std::wstring Written(const ace::DBDeviceInfo& info) {
    util::XmlSerializeSingleWriter writer(kRoot, L"", L"");
    info.Write(writer);
    std::wostringstream out;
    writer.WriteToStream(out);
    return out.str();
}

// Reads a record from the input; refusals of the input are expected. Values
// read once are in written form: writing them again changes nothing. A
// written document is ours, so any refusal to read it back is a failure.
template <typename... Defaults>
void CheckStable(util::XmlSerializeReader& reader, const Defaults&... defaults) {
    ace::DBDeviceInfo info;
    try {
        info.Read(reader, defaults...);
    } catch (const util::SystemEx&) {
        return;
    }
    try {
        const std::wstring first = Written(info);
        util::XmlSerializeReader written(kRoot, L"", L"");
        written.LoadText(0, first);
        ace::DBDeviceInfo again;
        again.Read(written);
        if (Written(again) != first) std::abort();
    } catch (...) {
        std::abort();
    }
}

ace::DBDeviceInfo Defaults() {
    ace::DBDeviceInfo defaults;
    defaults.DllFile = L"default.dll";
    defaults.PhysicalDeviceType = 4;
    defaults.capabilities.Bearers = 2;
    defaults.capabilities.Duplex = true;
    return defaults;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    util::XmlSerializeReader reader(kRoot, L"", L"");
    try {
        reader.LoadText(0, util::DecodeText(data, size));
    } catch (const util::InvalidFormatEx&) {
        return 0;
    }
    CheckStable(reader);
    CheckStable(reader, Defaults());
    return 0;
}
