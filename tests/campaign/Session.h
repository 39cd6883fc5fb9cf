// One host session on a simulated machine, run with at most one platform
// call failed, and what it showed: the problems found (by kind) and whether
// the user's same-named profile was back at the end.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace test {

// Fail occurrence `nth` of `call` with `code`; an empty call fails nothing.
struct Fault {
    std::string call;
    uint32_t code = 0;
    unsigned nth = 1;
    std::string Label() const;
};

// Kinds of problem, in the order the campaign's table shows them.
enum class Problem { Hang, Leak, Status, Exception, Profile, Key, Text };
const char* ProblemName(Problem p);

struct Outcome {
    bool hit = false;                 // the failed call was made
    std::vector<std::pair<Problem, std::string>> problems;
    bool profileBack = true;          // the user's profile, byte for byte
    std::string notBackWhy;           // where it is not: what the journal shows
    std::string thrown;               // "Operation: Class" of each exception, for the report
};

// Runs the session once. `counted`, when given, receives every platform call
// the session made (by name, with its number of calls).
Outcome RunSession(const Fault& fault, std::vector<std::pair<std::string, unsigned>>* counted = nullptr);

// The speed-up of the clock the campaign runs with (1 where the kernel is real).
unsigned CampaignClockScale();

}  // namespace test
