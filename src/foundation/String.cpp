#include "foundation/String.h"

#include <locale>
#include <sstream>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"

namespace util {

#define STRING_FN(name) L"util::Basic_String<wchar_t>::" name

template <class T>
Basic_String<T>::Basic_String(const T* s) {
    UTIL_TRY
    if (s != nullptr) Base::assign(s);
    UTIL_CATCH_CHAIN(STRING_FN(L"Basic_String"))
}

template <class T>
Basic_String<T>::Basic_String(const Basic_String& left, const T* right) {
    UTIL_TRY
    Base::reserve(left.size() + (right ? std::char_traits<T>::length(right) : 0));
    Base::append(left);
    if (right != nullptr) Base::append(right);
    UTIL_CATCH_CHAIN(STRING_FN(L"Basic_String"))
}

template <class T>
Basic_String<T>::Basic_String(const T* left, const Basic_String& right) {
    UTIL_TRY
    if (left != nullptr) Base::assign(left);
    Base::append(right);
    UTIL_CATCH_CHAIN(STRING_FN(L"Basic_String"))
}

template <class T>
Basic_String<T>::Basic_String(const Basic_String& left, const Basic_String& right) {
    UTIL_TRY
    Base::reserve(left.size() + right.size());
    Base::append(left);
    Base::append(right);
    UTIL_CATCH_CHAIN(STRING_FN(L"Basic_String"))
}

template <class T>
Basic_String<T>& Basic_String<T>::operator=(const T* s) {
    UTIL_TRY
    if (s == nullptr)
        Base::clear();
    else
        Base::assign(s);
    return *this;
    UTIL_CATCH_CHAIN(STRING_FN(L"operator="))
}

template <class T>
Basic_String<T> Basic_String<T>::Left(size_t n) const {
    UTIL_TRY
    return Basic_String(Base::substr(0, n));
    UTIL_CATCH_CHAIN(STRING_FN(L"Left"))
}

template <class T>
Basic_String<T> Basic_String<T>::Mid(size_t pos) const {
    UTIL_TRY
    return Basic_String(Base::substr(pos));  // std::out_of_range past the end
    UTIL_CATCH_CHAIN(STRING_FN(L"Mid"))
}

template <class T>
Basic_String<T> Basic_String<T>::Right(size_t n) const {
    UTIL_TRY
    if (n >= Base::size()) return *this;
    return Basic_String(Base::substr(Base::size() - n));
    UTIL_CATCH_CHAIN(STRING_FN(L"Right"))
}

template <class T>
Basic_String<T> Basic_String<T>::ExtractLeft(size_t n) {
    UTIL_TRY
    Basic_String left = Left(n);
    *this = Mid(n);
    return left;
    UTIL_CATCH_CHAIN(STRING_FN(L"ExtractLeft"))
}

template <class T>
Basic_String<T> Basic_String<T>::Extract(const Basic_String& delimiter, bool first) {
    UTIL_TRY
    size_t p = first ? Base::find(delimiter) : Base::rfind(delimiter);
    if (p == Base::npos) {
        Basic_String all(std::move(*this));
        Base::clear();
        return all;
    }
    Basic_String before(Base::substr(0, p));
    Base::erase(0, p + delimiter.size());
    return before;
    UTIL_CATCH_CHAIN(STRING_FN(L"Extract"))
}

namespace {
template <class T>
T AsciiUpper(T c) {
    return (c >= 'a' && c <= 'z') ? static_cast<T>(c - 'a' + 'A') : c;
}
template <class T>
T AsciiLower(T c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<T>(c - 'A' + 'a') : c;
}
}  // namespace

template <class T>
void Basic_String<T>::ToUpper() {
    UTIL_TRY
    for (auto& c : *this) c = AsciiUpper(c);
    UTIL_CATCH_CHAIN(STRING_FN(L"ToUpper"))
}

template <class T>
void Basic_String<T>::ToLower() {
    UTIL_TRY
    for (auto& c : *this) c = AsciiLower(c);
    UTIL_CATCH_CHAIN(STRING_FN(L"ToLower"))
}

template <class T>
void Basic_String<T>::ToUpper(Basic_String& result) const {
    UTIL_TRY
    result = *this;
    result.ToUpper();
    UTIL_CATCH_CHAIN(STRING_FN(L"ToUpper"))
}

template <class T>
void Basic_String<T>::ToLower(Basic_String& result) const {
    UTIL_TRY
    result = *this;
    result.ToLower();
    UTIL_CATCH_CHAIN(STRING_FN(L"ToLower"))
}

template <class T>
void Basic_String<T>::TrimRight() {
    UTIL_TRY
    std::locale loc;
    size_t n = Base::size();
    while (n > 0 && std::isspace((*this)[n - 1], loc)) --n;
    Base::erase(n);
    UTIL_CATCH_CHAIN(STRING_FN(L"TrimRight"))
}

template <class T>
int Basic_String<T>::CompareI(const Basic_String& other) const {
    UTIL_TRY
    Basic_String a, b;
    ToLower(a);
    other.ToLower(b);
    return a.compare(b);
    UTIL_CATCH_CHAIN(STRING_FN(L"CompareI"))
}

template <class T>
void Basic_String<T>::AppendNumber(uint32_t n) {
    UTIL_TRY
    std::basic_ostringstream<T> s;
    s.imbue(std::locale::classic());
    s << n;
    Base::append(s.str());
    UTIL_CATCH_CHAIN(STRING_FN(L"AppendNumber"))
}

template <class T>
void Basic_String<T>::AssignNumber(uint32_t n) {
    UTIL_TRY
    Base::clear();
    AppendNumber(n);
    UTIL_CATCH_CHAIN(STRING_FN(L"AssignNumber"))
}

template <class T>
int32_t Basic_String<T>::GetInt() const {
    UTIL_TRY
    std::basic_istringstream<T> s(*this);
    s.imbue(std::locale::classic());
    int32_t v = 0;
    s >> v;  // 0 when nothing parses; clamped on overflow
    return v;
    UTIL_CATCH_CHAIN(STRING_FN(L"GetInt"))
}

template <class T>
bool Basic_String<T>::ReplaceSubString(const Basic_String& find, const Basic_String& replace) {
    UTIL_TRY
    if (find.empty()) return false;
    bool replaced = false;
    size_t p = Base::find(find);
    while (p != Base::npos) {
        Base::replace(p, find.size(), replace);
        replaced = true;
        p = Base::find(find, p + replace.size());
    }
    return replaced;
    UTIL_CATCH_CHAIN(STRING_FN(L"ReplaceSubString"))
}

template <class T>
uint32_t Basic_String<T>::GetBufferLength() const {
    if (Base::empty()) return 0;
    return static_cast<uint32_t>(sizeof(T) * (Base::size() + 1));
}

template class Basic_String<wchar_t>;

}  // namespace util
