// wlanhost end to end: the real executable, the real plug-in file it loads,
// and the world file of these tests (world.json beside this file). Each case
// runs one process and reads its exit code, standard output and error.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#ifndef _WIN32
#  include <sys/wait.h>
#endif

namespace {

using Json = nlohmann::json;

const std::string kLong(33, 'x');  // an SSID one byte too long

struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
    // Standard output read as one JSON document a line.
    std::vector<Json> Documents() const {
        std::vector<Json> docs;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty() && line[0] == '{') docs.push_back(Json::parse(line));
        return docs;
    }
};

// The text without carriage returns: Windows writes text lines with CRLF.
std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

std::string Scratch(const std::string& name) {
    return (testing::TempDir() + "wlanhost_" + testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
            name);
}

// Runs wlanhost with `args` (already quoted for the shell) and `input` on
// its standard input, on the tests' world.
Outcome RunHost(const std::string& args, const std::string& input = "") {
    const std::string in = Scratch("in"), out = Scratch("out"), err = Scratch("err");
    std::ofstream(in, std::ios::binary) << input;
    std::string exe = WLANHOST;
    const std::string redirect = " < \"" + in + "\" > \"" + out + "\" 2> \"" + err + "\"";
#ifdef _WIN32
    // cmd takes a path with "/" for a switch; and cmd /c drops the first and
    // the last quote of a line that starts with one: the whole line gets a
    // pair of its own.
    std::replace(exe.begin(), exe.end(), '/', '\\');
    const int code = std::system(("\"\"" + exe + "\" " + args + redirect + "\"").c_str());
#else
    const int status = std::system(("\"" + exe + "\" " + args + redirect).c_str());
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return {code, ReadFile(out), ReadFile(err)};
}

// The tests' world with an adapter of this process's own, by description and
// GUID: under Wine the registry is the prefix's, shared by parallel tests and
// kept between runs, and the TCP/IP store finds an adapter by its exact
// description, then its keys by its GUID. `change` edits the copy further.
// Returns the description.
std::string OwnWorld(const std::string& tag, const std::function<void(Json&)>& change = {}) {
    Json world = Json::parse(ReadFile(HOST_WORLD));
    const uint64_t unique = static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const std::string description = "Fabrikam Wireless Adapter 2200 " + tag + "-" + std::to_string(unique);
    char guid[40];
    std::snprintf(guid, sizeof guid, "{%08X-%04X-4%03X-8000-%012llX}", static_cast<unsigned>(unique >> 32),
                  static_cast<unsigned>(unique >> 16) & 0xFFFF, static_cast<unsigned>(tag.size()) & 0xFFF,
                  static_cast<unsigned long long>(unique & 0xFFFFFFFFFFFFull));
    world["interfaces"][0]["description"] = description;
    world["interfaces"][0]["guid"] = guid;
    for (Json& event : world["events"])
        if (event.contains("lose_link")) event["lose_link"] = description;
    if (change) change(world);
    const std::string path = testing::TempDir() + "wlanhost_world_" + tag + ".json";
    std::ofstream(path, std::ios::binary) << world.dump();
#ifdef _WIN32
    _putenv_s("WLAN_SIM_WORLD", path.c_str());
#else
    setenv("WLAN_SIM_WORLD", path.c_str(), 1);
#endif
    return description;
}

class Wlanhost : public testing::Test {
protected:
    void SetUp() override { description_ = OwnWorld(testing::UnitTest::GetInstance()->current_test_info()->name()); }
    std::string description_;
};

// Every command, and every bad input, with its standard input, by exit code
// and what it prints: fields of JSON documents (doc index, JSON pointer,
// value), and texts that standard output and error must hold. Bad input exits
// 2 with one line.
using Fields = std::vector<std::tuple<size_t, const char*, Json>>;
using Case = std::tuple<std::string, const char*, int, Fields, const char*, const char*>;

TEST_F(Wlanhost, EachCommandByExitCodeAndOutput) {
    // The scan table whole, the networks in the service's order.
    const Outcome scan = RunHost("scan");
    EXPECT_EQ(scan.code, 0) << scan.err;
    EXPECT_EQ(scan.out,
              "SSID                              SIGNAL  BSS             SECURITY  CIPHER\n"
              "Cafe                              60      infrastructure  open      none\n"
              "Office                            90      infrastructure  WPA2-PSK  AES\n"
              "(hidden)                          45      infrastructure  WPA2-PSK  AES\n"
              "Old                               20      infrastructure  open      WEP\n"
              "Mesh                              30      other           open      none\n");
    const std::vector<Case> cases = {
        {"scan --json", "", 0,
         {{0, "/command", "scan"}, {0, "/ok", true}, {0, "/networks/1/ssid", "Office"},
          {0, "/networks/1/signal", 90}, {0, "/networks/1/security", "WPA2-PSK"}, {0, "/networks/1/cipher", "AES"},
          {0, "/networks/1/bss", "infrastructure"}, {0, "/networks/2/ssid", ""}, {0, "/networks/2/hidden", true},
          {0, "/networks/3/cipher", "WEP"}, {0, "/networks/4/bss", "other"}},
         "", ""},
        {"status --json", "", 0, {{0, "/state", "DISCONNECTED"}, {0, "/associated", false}}, "", ""},
        {"stats --json", "", 0, {{0, "/bytes_sent", 3000}, {0, "/bytes_received", 5000}}, "", ""},
        {"info --json", "", 0, {{0, "/description", description_}, {0, "/friendly_name", description_}}, "", ""},
        {"--adapter \"No Such\" info", "", 1, {}, "", "no adapter whose description holds"},
        {"--adapter \"No Such\" scan", "", 1, {}, "", "Device open failed."},
        {"profile Office --json", "", 0, {{0, "/stored", true}, {0, "/mode", "auto"}}, "", ""},
        {"profile Cafe --json", "", 0, {{0, "/stored", false}}, "", ""},
        {"connect Office --key \"office & secret\" --for 0 --json", "", 0,
         {{0, "/ok", true}, {0, "/security", "WPA2-PSK"}, {0, "/cipher", "AES"}, {0, "/profile_restored", true}}, "",
         ""},
        {"connect Office --ask --for 0", "office & secret\n", 0, {}, "the saved profile \"Office\" is back", ""},
        {"ip show --json", "", 0,
         {{0, "/adapter", description_}, {0, "/dhcp", false}, {0, "/address", "192.168.7.20"},
          {0, "/mask", "255.255.255.0"}, {0, "/gateway", "192.168.7.1"}, {0, "/dns", Json{"1.1.1.1", "2.2.2.2"}}},
         "", ""},
        // Bad settings change nothing (doc 5 as stored); a good set is read back.
        {"shell --json",
         "ip set --address 192.168.7.300\nip set --mask 255.255.0.255\nip set --address 192.168.7.255\n"
         "ip set --gateway 10.0.0.1\nip set --dns 1.1.1.1,2.2.2.2,3.3.3.3\nip show\n"
         "ip set --address 192.168.7.30 --gateway none --dns 9.9.9.9\nip show\n",
         2,
         {{0, "/exit_code", 2}, {3, "/exit_code", 2}, {4, "/exit_code", 2}, {5, "/address", "192.168.7.20"},
          {5, "/gateway", "192.168.7.1"}, {5, "/dns", Json{"1.1.1.1", "2.2.2.2"}}, {6, "/ok", true},
          {7, "/address", "192.168.7.30"}, {7, "/gateway", ""}, {7, "/dns", Json{"9.9.9.9"}},
          {7, "/wins", Json{"3.3.3.3", "4.4.4.4"}}},
         "", "is outside the subnet"},
#ifndef _WIN32
        // Wine's DHCP client aborts the process on the change notification.
        {"shell --json", "ip set --dhcp --apply\nip show\n", 0, {{0, "/applied", true}, {1, "/dhcp", true}}, "", ""},
#endif
        {"connect Office --key \"wrong secret\" --json", "", 1,
         {{0, "/ok", false}, {0, "/error/result", 201}, {0, "/error/kind", "device"}}, "",
         "\"Office\" failed: result 201"},
        {"connect Lab --hidden --key lab-secret-1 --for 0", "", 0, {}, "connected to \"Lab\"", ""},
        {"connect Nowhere", "", 1, {}, "", "no network \"Nowhere\" in range"},
        {"monitor --for 0.2 --json", "", 0, {{0, "/events/0/text", "DISCONNECTED"}}, "", ""},
        {"shell", "scan\nstatus\n", 0, {}, "> status\nstate:             DISCONNECTED", ""},
        {"shell --json", "status\nfrob\nstats\n", 2, {{0, "/state", "DISCONNECTED"}, {1, "/command", "stats"}}, "",
         "unknown command frob"},
        {"connect --help", "", 0, {}, "--key-index", ""},
        // Bad usage.
        {"frob", "", 2, {}, "", "wlanhost: unknown command frob"},
        {"scan --frob", "", 2, {}, "", "--frob"},
        {"", "", 2, {}, "", "A subcommand is required"},
        {"connect " + kLong, "", 2, {}, "", "the SSID has 33 bytes, at most 32"},
        {"connect Old --key abc", "", 2, {}, "", "a WEP key has 5 or 13 characters"},
        {"connect Old --security wep --key 0123456789a", "", 2, {}, "", "a WEP key has 5 or 13 characters"},
        {"connect Old --key abcde --key-index 0", "", 2, {}, "", "the key index is 0, it must be 1 to 4"},
        {"connect Old --key abcde --key-index 5", "", 2, {}, "", "the key index is 5"},
        {"connect Office --key short", "", 2, {}, "", "a pre-shared key has 8 to 63 characters"},
        {"connect Office --security wpa3", "", 2, {}, "", "unknown security wpa3"},
        {"--plugin does-not-exist.so scan", "", 2, {}, "", "cannot load the plug-in does-not-exist.so"},
        {"--plugin \"" NOT_A_PLUGIN "\" scan", "", 2, {}, "", "is not a device plug-in: it lacks CreateClass"},
        {"--log-mask lots scan", "", 2, {}, "", "--log-mask lots: not a number"},
        {"connect Office --ask --key x", "", 2, {}, "", "excludes"},
        {"connect Office --ask", "", 2, {}, "", "--ask: no key on standard input"},
        {"ip set --address 10.0.0.010", "", 2, {}, "", "leading zero"},
        {"ip set --mask 255.255.0.255", "", 2, {}, "", "is not a subnet mask"},
        {"ip set --address 224.0.0.5", "", 2, {}, "", "not a unicast address"},
        {"ip set --dhcp --address 10.0.0.5", "", 2, {}, "", "excludes"},
        {"ip set", "", 2, {}, "", "nothing to set"},
        {"ip frob", "", 2, {}, "", "unknown command ip frob"},
    };
    for (const auto& [args, input, code, fields, out, err] : cases) {
        SCOPED_TRACE("wlanhost " + args);
        const Outcome r = RunHost(args, input);
        EXPECT_EQ(r.code, code) << r.out << r.err;
        const std::vector<Json> docs = r.Documents();
        for (const auto& [doc, pointer, value] : fields) {
            ASSERT_LT(doc, docs.size()) << r.out;
            EXPECT_EQ(docs[doc].value(Json::json_pointer(pointer), Json()), value) << pointer << " in " << docs[doc];
        }
        EXPECT_NE(r.out.find(out), std::string::npos) << r.out;
        EXPECT_NE(r.err.find(err), std::string::npos) << r.err;
        if (code == 2 && args.rfind("shell", 0) != 0) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
}

// One open device: a bad line between two looks at the world finds it as it
// was; a connect and the world's lost link. The user's profile back after
// "forget" is the demo's check (host.demo).
TEST_F(Wlanhost, ShellSessionHearsTheCallbacksInOrder) {
    const Outcome r = RunHost("shell --json",
                          "profile Office\n"
                          "connect " + kLong + "\n"
                          "connect Old --key abc\n"
                          "connect Old --key abcde --key-index 7\n"
                          "status\n"
                          "profile Office\n"
                          "connect Office --key \"office & secret\"\n"
                          "profile Office\n"
                          "wait 10 --until disconnected\n"
                          "connect Office --key \"office & secret\"\n"
                          "disconnect\n"
                          "forget\n");
    EXPECT_EQ(r.code, 2) << r.err;  // the worst line: bad usage
    const std::vector<Json> docs = r.Documents();
    ASSERT_EQ(docs.size(), 12u) << r.out;
    for (size_t bad : {1, 2, 3}) EXPECT_EQ(docs[bad]["exit_code"], 2) << docs[bad];
    EXPECT_EQ(docs[4]["state"], "DISCONNECTED");
    EXPECT_EQ(docs[4]["associated"], false);
    EXPECT_EQ(docs[5]["fingerprint"], docs[0]["fingerprint"]) << "bad input changed the stored profile";
    EXPECT_EQ(docs[7]["mode"], "manual") << "the device's profile stands in while associated";

    const auto callbacks = [](const Json& doc) {
        std::vector<std::string> seen;
        for (const Json& e : doc.value("events", Json::array()))
            if (e["callback"] != "ip") seen.push_back(std::string(e["callback"]) + " " + std::string(e["text"]));
        return seen;
    };
    // A bad SSID is refused before the plug-in is loaded; a bad key after
    // the device opened to read the network's security, before associating.
    EXPECT_FALSE(docs[1].contains("events")) << docs[1];
    EXPECT_EQ(callbacks(docs[2]), (std::vector<std::string>{"status DISCONNECTED"}));
    EXPECT_EQ(callbacks(docs[6]), (std::vector<std::string>{"status CONNECTING", "progress 1", "completed 0",
                                                            "status CONNECTED"}));
    // The lost link, told on the service's thread, not the host's.
    const std::vector<std::string> lost = callbacks(docs[8]);
    ASSERT_FALSE(lost.empty()) << docs[8];
    EXPECT_EQ(lost.front(), "disconnected 0");
    EXPECT_EQ(docs[8]["heard"], true);
    for (const Json& e : docs[8]["events"]) EXPECT_NE(e["thread"], 1) << e;
    EXPECT_EQ(docs[11]["state"], "DISCONNECTED");
}

#ifndef _WIN32
// Ctrl-C while connected, and during a connect (the world's service delays
// each connect notification): the device is closed cleanly, the user's
// profile is back, and the exit status says it was interrupted.
TEST_F(Wlanhost, InterruptClosesTheDevice) {
    // The moment, the world's connect delay, the line after which Ctrl-C
    // comes, and a line that must not come.
    for (const auto& [name, delayMs, waitFor, never] :
         {std::tuple{"connected", 0, "staying connected", "no such line"},
          std::tuple{"connecting", 1500, "connecting, waiting up to", "staying connected"}}) {
        SCOPED_TRACE(name);
        OwnWorld(name, [delay = delayMs](Json& world) { world["connect_delay_ms"] = delay; });
        const std::string out = Scratch(name);
        const std::string script = std::string("\"") + WLANHOST + "\" connect Office --key \"office & secret\" > \"" +
                                   out + "\" 2>&1 & pid=$!; for i in $(seq 100); do grep -q '" + waitFor + "' \"" +
                                   out + "\" && break; sleep 0.05; done; kill -INT $pid; wait $pid";
        const int status = std::system(script.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 130);
        const std::string text = ReadFile(out);
        for (const char* line : {"interrupted: closing the device", "disconnected, un-associated",
                                 "the saved profile \"Office\" is back", "status CLOSED"})
            EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
        EXPECT_EQ(text.find(never), std::string::npos) << text;
    }
}
#endif

}  // namespace
