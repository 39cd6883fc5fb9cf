// The per-thread name slot: the address of the running util::Thread's wide
// name, null in threads that util::Thread did not start.
#pragma once

namespace util {

// Stores `name` in the calling thread's empty slot and returns true; returns
// false and keeps the old name when the slot is set. The ANSI name is not
// stored.
bool SetCurrentThreadName(const wchar_t* name, const char* nameAnsi);
const wchar_t* GetCurrentThreadName();

}  // namespace util
