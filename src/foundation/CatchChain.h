// The standard catch chain, written once. A function body reads:
//
//   UTIL_TRY
//       ... work ...
//   UTIL_CATCH_CHAIN(L"util::MemBuff::Resize")
//
// std::bad_alloc becomes util::OutOfMemory; another std::exception becomes
// util::StlEx; a util::Exception gets a "Stack Entry" for this function and
// is rethrown as it is; anything else becomes a plain util::Exception.
#pragma once

#include "foundation/ExceptionTypes.h"

#include <exception>
#include <new>

#define UTIL_WIDEN2(x) L##x
#define UTIL_WIDEN(x) UTIL_WIDEN2(x)
// The wide source file name of the site.
#define UTIL_WFILE UTIL_WIDEN(__FILE__)

#define UTIL_TRY try {

#define UTIL_CATCH_CHAIN(function)                                       \
    }                                                                    \
    catch (std::bad_alloc & utilCaught) {                                \
        throw util::OutOfMemory(UTIL_WFILE, function, __LINE__, utilCaught); \
    }                                                                    \
    catch (std::exception & utilCaught) {                                \
        throw util::StlEx(UTIL_WFILE, function, __LINE__, utilCaught);   \
    }                                                                    \
    catch (util::Exception & utilCaught) {                               \
        utilCaught.AddStackEntry(UTIL_WFILE, function, __LINE__);        \
        throw;                                                           \
    }                                                                    \
    catch (...) {                                                        \
        throw util::Exception(UTIL_WFILE, function, __LINE__);           \
    }

// Raising: builds a local exception of the class with this site and throws a
// copy, after `fill` (statements using `ex`) has set parameters and text.
#define UTIL_RAISE(Class, function, ...) \
    do {                                 \
        Class ex(UTIL_WFILE, function, __LINE__); \
        __VA_ARGS__;                     \
        throw ex;                        \
    } while (0)
