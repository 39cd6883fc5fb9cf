// Symbol visibility for the two shared libraries (Logger and the plug-in).
#pragma once

#ifdef _WIN32
#  define PLATFORM_EXPORT __declspec(dllexport)
#  define PLATFORM_IMPORT __declspec(dllimport)
#else
#  define PLATFORM_EXPORT __attribute__((visibility("default")))
#  define PLATFORM_IMPORT __attribute__((visibility("default")))
#endif
