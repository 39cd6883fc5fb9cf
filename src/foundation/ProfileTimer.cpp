#include "foundation/ProfileTimer.h"

#include <locale>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "platform/win32.h"

namespace util {

namespace {
// Imbues the "C" locale for its life and gives the old one back after.
class ClassicLocale {
public:
    explicit ClassicLocale(std::wostream& os) : os_(os), old_(os.imbue(std::locale::classic())) {}
    ~ClassicLocale() { os_.imbue(old_); }
    ClassicLocale(const ClassicLocale&) = delete;
    ClassicLocale& operator=(const ClassicLocale&) = delete;

private:
    std::wostream& os_;
    std::locale old_;
};
}  // namespace

ProfileTimer::ProfileTimer(bool startNow) {
    UTIL_TRY
    if (startNow) Start();
    UTIL_CATCH_CHAIN(L"util::ProfileTimer::ProfileTimer")
}

ProfileTimer::~ProfileTimer() = default;

void ProfileTimer::Start() {
    UTIL_TRY
    start_ = ::GetTickCount();
    UTIL_CATCH_CHAIN(L"util::ProfileTimer::Start")
}

uint32_t ProfileTimer::Elapsed() const {
    UTIL_TRY
    return static_cast<uint32_t>(::GetTickCount()) - start_;
    UTIL_CATCH_CHAIN(L"util::ProfileTimer::Elapsed")
}

std::wostream& operator<<(std::wostream& os, const ProfileTimer& timer) {
    UTIL_TRY
    ClassicLocale classic(os);
    os << L"Profile time: " << timer.Elapsed();
    return os;
    UTIL_CATCH_CHAIN(L"util::operator<<(ProfileTimer)")
}

}  // namespace util
