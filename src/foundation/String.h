// util::Basic_String<wchar_t>: the standard wide string with the system's
// helpers. It adds no field and no virtual function, so it goes wherever a
// std::wstring goes. Lengths and positions are in characters. Every helper
// reports failures through the standard catch chain (out-of-range positions
// as util::StlEx).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace util {

template <class T>
class Basic_String : public std::basic_string<T> {
public:
    using Base = std::basic_string<T>;
    using Base::Base;

    Basic_String() = default;
    Basic_String(const Basic_String&) = default;
    Basic_String(Basic_String&&) noexcept = default;
    Basic_String(const Base& s) : Base(s) {}
    Basic_String(Base&& s) noexcept : Base(std::move(s)) {}
    // A null pointer gives the empty string.
    Basic_String(const T* s);
    // Concatenations.
    Basic_String(const Basic_String& left, const T* right);
    Basic_String(const T* left, const Basic_String& right);
    Basic_String(const Basic_String& left, const Basic_String& right);
    ~Basic_String() = default;

    Basic_String& operator=(const Basic_String&) = default;
    Basic_String& operator=(Basic_String&&) noexcept = default;
    // A null pointer empties the string.
    Basic_String& operator=(const T* s);

    Basic_String Left(size_t n) const;
    Basic_String Mid(size_t pos) const;
    Basic_String Right(size_t n) const;
    Basic_String ExtractLeft(size_t n);
    // Returns the text before the first (or last) delimiter and erases it
    // with the delimiter; without a delimiter returns everything and empties.
    Basic_String Extract(const Basic_String& delimiter, bool first);

    // ASCII letters only change.
    void ToUpper();
    void ToLower();
    void ToUpper(Basic_String& result) const;
    void ToLower(Basic_String& result) const;
    void TrimRight();
    int CompareI(const Basic_String& other) const;

    void AppendNumber(uint32_t n);
    void AssignNumber(uint32_t n);
    int32_t GetInt() const;
    // Inserted text is never searched again. True when anything was replaced.
    bool ReplaceSubString(const Basic_String& find, const Basic_String& replace);
    // Bytes of the text with its NUL: 0 when empty, else sizeof(T) * (length + 1).
    uint32_t GetBufferLength() const;
};

using String = Basic_String<wchar_t>;

template <class T>
Basic_String<T> operator+(const Basic_String<T>& left, const T* right) {
    return Basic_String<T>(left, right);
}
template <class T>
Basic_String<T> operator+(const T* left, const Basic_String<T>& right) {
    return Basic_String<T>(left, right);
}
template <class T>
Basic_String<T> operator+(const Basic_String<T>& left, const Basic_String<T>& right) {
    return Basic_String<T>(left, right);
}

extern template class Basic_String<wchar_t>;

}  // namespace util
