#include "xml/XmlReader.h"

#include <cwchar>
#include <new>
#include <vector>

#include "foundation/CatchChain.h"
#include "foundation/ExceptionTypes.h"
#include "xml/TextCodec.h"

namespace util {

namespace {

constexpr const wchar_t* kParse = L"util::XmlReader::Parse";

bool IsSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r'; }

bool IsNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_' || c == L':' ||
           static_cast<uint32_t>(c) >= 0x80;
}

bool IsNameChar(wchar_t c) { return IsNameStart(c) || (c >= L'0' && c <= L'9') || c == L'-' || c == L'.'; }

// One pass over the text with an explicit stack of open elements.
class Reader {
public:
    Reader(const String& text, pug::xml_parser& doc)
        : begin_(text.data()), p_(text.data()), end_(text.data() + text.size()), doc_(doc.document()) {}

    void Run() {
        CheckCharacters();
        if (p_ != end_ && *p_ == 0xFEFF) ++p_;
        if (StartsWith(L"<?xml") && p_ + 5 < end_ && (IsSpace(p_[5]) || p_[5] == L'?')) ReadDeclaration();
        bool rootSeen = false;
        while (p_ != end_) {
            if (open_.empty()) {
                SkipSpace();
                if (p_ == end_) break;
                if (*p_ != L'<') Fail(p_, L"text outside the root element");
                if (IsStartTag()) {
                    if (rootSeen) Fail(p_, L"a second root element");
                    rootSeen = true;
                }
            }
            ReadMarkupOrText();
        }
        if (!open_.empty()) Fail(end_, L"the element <" + String(Current().name()) + L"> is not closed");
        if (!rootSeen) Fail(end_, L"no root element");
    }

private:
    struct Open {
        pug::xml_node node;
        const wchar_t* pendingSpace = nullptr;  // whitespace seen, kept only if nothing else follows
        const wchar_t* pendingEnd = nullptr;
    };

    [[noreturn]] void Fail(const wchar_t* at, const String& reason) const {
        uint32_t line = 1;
        const wchar_t* lineStart = begin_;
        for (const wchar_t* q = begin_; q < at; ++q) {
            if (*q == L'\n') {
                ++line;
                lineStart = q + 1;
            }
        }
        String where(L" Line ");
        where.AppendNumber(line);
        where += L", column ";
        where.AppendNumber(static_cast<uint32_t>(at - lineStart) + 1);
        UTIL_RAISE(InvalidFormatEx, kParse, ex.Stream() << where << L": " << reason << L".");
    }

    void CheckCharacters() const {
        for (const wchar_t* q = begin_; q < end_; ++q) {
            uint32_t c = static_cast<uint32_t>(*q);
            if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && q + 1 < end_ &&
                static_cast<uint32_t>(q[1]) >= 0xDC00 && static_cast<uint32_t>(q[1]) <= 0xDFFF) {
                ++q;
                continue;
            }
            if (!IsXmlChar(c)) Fail(q, L"a character that XML does not allow");
        }
    }

    bool StartsWith(const wchar_t* s) const {
        size_t n = std::wcslen(s);
        return static_cast<size_t>(end_ - p_) >= n && std::wmemcmp(p_, s, n) == 0;
    }

    void SkipSpace() {
        while (p_ != end_ && IsSpace(*p_)) ++p_;
    }

    pug::xml_node Current() const { return open_.empty() ? doc_ : open_.back().node; }

    // The node appended below the current one; running out of memory is the
    // only way this fails.
    pug::xml_node Append(pug::xml_node_type type) {
        pug::xml_node node = Current().append_child(type);
        if (node.empty()) throw std::bad_alloc();
        return node;
    }

    void Expect(wchar_t c, const wchar_t* what) {
        if (p_ == end_ || *p_ != c) Fail(p_, String(L"expected ") + what);
        ++p_;
    }

    String ReadName(const wchar_t* what) {
        if (p_ == end_ || !IsNameStart(*p_)) Fail(p_, String(L"expected ") + what);
        const wchar_t* start = p_;
        while (p_ != end_ && IsNameChar(*p_)) ++p_;
        return String(start, p_);
    }

    // Text up to `terminator`; p_ ends after it. `at` is where the construct
    // began, for the message.
    String ReadUntil(const wchar_t* terminator, const wchar_t* construct, const wchar_t* at) {
        const wchar_t* start = p_;
        size_t n = std::wcslen(terminator);
        while (static_cast<size_t>(end_ - p_) >= n) {
            if (std::wmemcmp(p_, terminator, n) == 0) {
                String text(start, p_);
                p_ += n;
                return text;
            }
            ++p_;
        }
        Fail(at, String(construct) + L" is not closed");
    }

    // Replaces the references in [from, to). An ampersand that does not start
    // a complete reference ("&name;" or "&#...;") stands for itself, so that
    // documents whose ampersands went out unescaped still read.
    String Decode(const wchar_t* from, const wchar_t* to) const {
        String out;
        out.reserve(static_cast<size_t>(to - from));
        for (const wchar_t* q = from; q < to;) {
            if (*q != L'&') {
                out.push_back(*q++);
                continue;
            }
            const wchar_t* r = q + 1;
            bool numeric = r < to && *r == L'#';
            if (numeric) ++r;
            const wchar_t* body = r;
            while (r < to && (IsNameChar(*r) || (numeric && *r == L'#'))) ++r;
            if (r == to || *r != L';') {
                out.push_back(*q++);
                continue;
            }
            String name(body, r);
            if (numeric) {
                AppendCodePoint(out, CharacterReference(q, name));
            } else if (name == L"lt") {
                out.push_back(L'<');
            } else if (name == L"gt") {
                out.push_back(L'>');
            } else if (name == L"amp") {
                out.push_back(L'&');
            } else if (name == L"quot") {
                out.push_back(L'"');
            } else if (name == L"apos") {
                out.push_back(L'\'');
            } else {
                Fail(q, L"unknown entity &" + name + L";");
            }
            q = r + 1;
        }
        return out;
    }

    uint32_t CharacterReference(const wchar_t* at, const String& digits) const {
        bool hex = !digits.empty() && digits[0] == L'x';
        size_t i = hex ? 1 : 0;
        if (i == digits.size()) Fail(at, L"an empty character reference");
        uint32_t cp = 0;
        for (; i < digits.size(); ++i) {
            wchar_t c = digits[i];
            uint32_t d = 0;
            if (c >= L'0' && c <= L'9') {
                d = static_cast<uint32_t>(c - L'0');
            } else if (hex && c >= L'a' && c <= L'f') {
                d = static_cast<uint32_t>(c - L'a' + 10);
            } else if (hex && c >= L'A' && c <= L'F') {
                d = static_cast<uint32_t>(c - L'A' + 10);
            } else {
                Fail(at, L"a malformed character reference");
            }
            cp = cp * (hex ? 16 : 10) + d;
            if (cp > 0x10FFFF) Fail(at, L"a character reference out of range");
        }
        if (!IsXmlChar(cp)) Fail(at, L"a character reference to a character that XML does not allow");
        return cp;
    }

    // Name="value" pairs up to `stop`; appended to `node`.
    void ReadAttributes(pug::xml_node node, bool inDeclaration) {
        for (;;) {
            const wchar_t* before = p_;
            SkipSpace();
            if (p_ == end_) Fail(p_, L"the tag is not closed");
            if (*p_ == L'>' || *p_ == L'/' || *p_ == L'?') return;
            if (p_ == before) Fail(p_, L"expected white space before an attribute");
            const wchar_t* at = p_;
            String name = ReadName(L"an attribute name");
            for (size_t i = 0; i < node.attributes(); ++i) {
                if (name == node.attribute_at(i).name()) Fail(at, L"a repeated attribute " + name);
            }
            SkipSpace();
            Expect(L'=', L"\"=\" after the attribute name");
            SkipSpace();
            if (p_ == end_ || (*p_ != L'"' && *p_ != L'\'')) Fail(p_, L"expected a quoted attribute value");
            const wchar_t quote = *p_++;
            const wchar_t* start = p_;
            while (p_ != end_ && *p_ != quote) {
                if (*p_ == L'<') Fail(p_, L"\"<\" in an attribute value");
                ++p_;
            }
            if (p_ == end_) Fail(start - 1, L"the attribute value is not closed");
            String value = inDeclaration ? String(start, p_) : Decode(start, p_);
            ++p_;
            if (node.append_attribute(name.c_str(), value.c_str()).empty()) throw std::bad_alloc();
        }
    }

    void ReadDeclaration() {
        const wchar_t* at = p_;
        p_ += 5;
        pug::xml_node decl = Append(pug::node_pi);
        decl.name(L"xml");
        ReadAttributes(decl, true);
        if (!StartsWith(L"?>")) Fail(p_, L"expected \"?>\" to end the declaration");
        p_ += 2;
        if (decl.attribute(L"version").empty()) Fail(at, L"the declaration has no version");
    }

    void ReadProcessingInstruction() {
        const wchar_t* at = p_;
        p_ += 2;
        String target = ReadName(L"a processing instruction target");
        if (target.size() == 3 && (target[0] | 0x20) == L'x' && (target[1] | 0x20) == L'm' &&
            (target[2] | 0x20) == L'l') {
            Fail(at, L"an XML declaration that is not at the start");
        }
        if (p_ != end_ && !IsSpace(*p_) && !StartsWith(L"?>")) Fail(p_, L"expected white space after the target");
        SkipSpace();
        String data = ReadUntil(L"?>", L"the processing instruction", at);
        while (!data.empty() && IsSpace(data.back())) data.pop_back();
        pug::xml_node pi = Append(pug::node_pi);
        if (!pi.name(target.c_str())) throw std::bad_alloc();
        if (!data.empty() && pi.append_attribute(data.c_str()).empty()) throw std::bad_alloc();
    }

    void ReadComment() {
        const wchar_t* at = p_;
        p_ += 4;
        String text = ReadUntil(L"-->", L"the comment", at);
        if (text.find(L"--") != String::npos || (!text.empty() && text.back() == L'-')) {
            Fail(at, L"\"--\" inside a comment");
        }
        if (!Append(pug::node_comment).value(text.c_str())) throw std::bad_alloc();
    }

    void ReadCData() {
        const wchar_t* at = p_;
        if (open_.empty()) Fail(at, L"CDATA outside the root element");
        p_ += 9;
        String text = ReadUntil(L"]]>", L"the CDATA section", at);
        if (!Append(pug::node_cdata).value(text.c_str())) throw std::bad_alloc();
    }

    void ReadStartTag() {
        const wchar_t* at = p_;
        ++p_;
        String name = ReadName(L"an element name");
        if (open_.size() >= XmlReader::kMaxDepth) Fail(at, L"elements nested too deeply");
        pug::xml_node element = Append(pug::node_element);
        if (!element.name(name.c_str())) throw std::bad_alloc();
        ReadAttributes(element, false);
        if (StartsWith(L"/>")) {
            p_ += 2;
            return;
        }
        Expect(L'>', L"\">\" to end the start tag");
        open_.push_back(Open{element});
    }

    void ReadEndTag() {
        const wchar_t* at = p_;
        p_ += 2;
        String name = ReadName(L"an element name");
        SkipSpace();
        Expect(L'>', L"\">\" to end the end tag");
        if (open_.empty()) Fail(at, L"an end tag without a start tag");
        Open& top = open_.back();
        if (name != top.node.name()) {
            Fail(at, L"the end tag </" + name + L"> does not match <" + String(top.node.name()) + L">");
        }
        if (top.pendingSpace != nullptr && top.node.children() == 0) {
            if (!top.node.append_child(pug::node_pcdata).value(String(top.pendingSpace, top.pendingEnd).c_str())) {
                throw std::bad_alloc();
            }
        }
        open_.pop_back();
    }

    void ReadText() {
        const wchar_t* start = p_;
        bool blank = true;
        while (p_ != end_ && *p_ != L'<') {
            if (!IsSpace(*p_)) blank = false;
            ++p_;
        }
        Open& top = open_.back();
        if (blank) {
            top.pendingSpace = start;
            top.pendingEnd = p_;
            return;
        }
        String text = Decode(start, p_);
        if (!Append(pug::node_pcdata).value(text.c_str())) throw std::bad_alloc();
    }

    bool IsStartTag() const { return p_ + 1 < end_ && *p_ == L'<' && p_[1] != L'?' && p_[1] != L'!' && p_[1] != L'/'; }

    void ReadMarkupOrText() {
        if (*p_ != L'<') {
            ReadText();
            return;
        }
        if (!open_.empty() && !StartsWith(L"</")) open_.back().pendingSpace = nullptr;
        if (StartsWith(L"<?")) {
            ReadProcessingInstruction();
        } else if (StartsWith(L"<!--")) {
            ReadComment();
        } else if (StartsWith(L"<![CDATA[")) {
            ReadCData();
        } else if (StartsWith(L"<!")) {
            Fail(p_, L"document type declarations are not supported");
        } else if (StartsWith(L"</")) {
            ReadEndTag();
        } else {
            ReadStartTag();
        }
    }

    const wchar_t* begin_;
    const wchar_t* p_;
    const wchar_t* end_;
    pug::xml_node doc_;
    std::vector<Open> open_;
};

}  // namespace

void XmlReader::Parse(const String& text, pug::xml_parser& doc) {
    UTIL_TRY
    Reader(text, doc).Run();
    UTIL_CATCH_CHAIN(kParse)
}

}  // namespace util
