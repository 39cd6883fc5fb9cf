#include "Faults.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>

namespace sim {
namespace {

struct Fault {
    uint32_t code = 0;
    unsigned first = 1;
    unsigned times = 1;
    unsigned calls = 0;
};

struct Table {
    std::mutex lock;
    std::map<std::string, Fault> faults;
    std::map<std::string, unsigned> counted;
    bool counting = false;
    // Fast path: calls are free while nothing is armed or counted.
    std::atomic<bool> armed{false};
};

Table& table() {
    static Table* t = new Table;  // never destroyed: threads may ask during exit
    return *t;
}

}  // namespace

void FailCall(const char* call, uint32_t code, unsigned nth, unsigned times) {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    Fault f;
    f.code = code;
    f.first = nth == 0 ? 1 : nth;
    f.times = times;
    t.faults[call] = f;
    t.armed = true;
}

void ClearFault(const char* call) {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    t.faults.erase(call);
    t.armed = !t.faults.empty() || t.counting;
}

void ClearFaults() {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    t.faults.clear();
    t.armed = t.counting;
}

void StartCounting() {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    t.counted.clear();
    t.counting = true;
    t.armed = true;
}

std::vector<std::pair<std::string, unsigned>> StopCounting() {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    std::vector<std::pair<std::string, unsigned>> calls(t.counted.begin(), t.counted.end());
    t.counted.clear();
    t.counting = false;
    t.armed = !t.faults.empty();
    return calls;
}

unsigned CallCount(const char* call) {
    Table& t = table();
    std::lock_guard<std::mutex> g(t.lock);
    auto it = t.faults.find(call);
    return it == t.faults.end() ? 0 : it->second.calls;
}

bool ShouldFail(const char* call, uint32_t* code) {
    Table& t = table();
    if (!t.armed.load(std::memory_order_acquire)) return false;
    std::lock_guard<std::mutex> g(t.lock);
    if (t.counting) ++t.counted[call];
    auto it = t.faults.find(call);
    if (it == t.faults.end()) return false;
    Fault& f = it->second;
    unsigned n = ++f.calls;
    if (n < f.first) return false;
    if (f.times != 0 && n >= f.first + f.times) return false;
    if (code) *code = f.code;
    return true;
}

ScopedFault::ScopedFault(const char* call, uint32_t code, unsigned nth, unsigned times) : call_(call) {
    FailCall(call, code, nth, times);
}

ScopedFault::~ScopedFault() { ClearFault(call_); }

}  // namespace sim
