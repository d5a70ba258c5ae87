#include "BaseLib/Str.h"

#include "BaseLib/ErrorLog.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <utility>

namespace {

// Longest text a block may hold: keeps (n + 7) * 2 and the fourfold block
// size far inside 32-bit capacity words.
const int kMaxLength = 0x0FFFFFF0;

// Exit code of the orderly stop after a failed string allocation.
const UINT kOutOfMemoryExitCode = ERROR_NOT_ENOUGH_MEMORY;

int32_t NeedFor(int length) { return (length + 7) * 2; }

// 64, 128, 256 or 512 bytes, or exactly what is needed above that.
int32_t CapacityFor(int length) {
    const int32_t need = NeedFor(length);
    for (int32_t size : {64, 128, 256, 512}) {
        if (need <= size)
            return size;
    }
    return need;
}

// Characters a block of this capacity always has room for.
int RoomOf(int32_t capacity) { return capacity / 2 - 7; }

// No string operation can complete without its block: record the failure and
// stop the program rather than go on with a broken text.
[[noreturn]] void OutOfMemory(int line) {
    LogError(L"Memory allocation failed", L".\\BaseLib\\Str", L"", line);
    ExitProcess(kOutOfMemoryExitCode);
}

// Length of a plain text; one too long for any block is an allocation failure.
int TextLength(const wchar_t *text) {
    const size_t length = wcslen(text);
    if (length > static_cast<size_t>(kMaxLength))
        OutOfMemory(__LINE__);
    return static_cast<int>(length);
}

HINSTANCE ProgramModule() {
    static const HINSTANCE module = GetModuleHandleW(nullptr);
    return module;
}

} // namespace

Str::Header *Str::EmptyHeader() {
    // The one empty text of the process: never freed, and its count is never
    // touched, so the value 100 keeps every edit from writing into it.
    struct Block {
        Header head;
        wchar_t terminator;
    };
    static_assert(offsetof(Block, terminator) == sizeof(Header), "text follows the header");
    static Block empty = {{100, 0, 64}, 0};
    return &empty.head;
}

Str::Header *Str::Allocate(int length) {
    if (length < 0 || length > kMaxLength)
        OutOfMemory(__LINE__);
    // The block is four times the capacity value, so a block of capacity k
    // always holds k characters beyond the header.
    const int32_t capacity = CapacityFor(length);
    Header *block = static_cast<Header *>(malloc(static_cast<size_t>(capacity) * 4));
    if (!block)
        OutOfMemory(__LINE__);
    block->count = 1;
    block->length = length;
    block->capacity = capacity;
    return block;
}

Str Str::Adopt(Header *block) {
    Str adopted; // the shared empty text needs no release
    adopted.text_ = reinterpret_cast<wchar_t *>(block + 1);
    return adopted;
}

Str Str::FromChars(const wchar_t *first, int firstLength, const wchar_t *second, int secondLength) {
    const int length = firstLength + secondLength;
    if (length == 0)
        return Str();
    Str result = Adopt(Allocate(length));
    memcpy(result.text_, first, firstLength * sizeof(wchar_t));
    if (secondLength > 0)
        memcpy(result.text_ + firstLength, second, secondLength * sizeof(wchar_t));
    result.text_[length] = 0;
    return result;
}

Str::Str() : text_(reinterpret_cast<wchar_t *>(EmptyHeader() + 1)) {}

Str::Str(const wchar_t *text) : Str() {
    if (text && *text) {
        Str built = FromChars(text, TextLength(text), nullptr, 0);
        std::swap(text_, built.text_);
    }
}

Str::Str(const Str &other) : text_(other.text_) {
    if (!IsSharedEmpty())
        ++Head()->count;
}

Str::~Str() { Release(); }

bool Str::IsSharedEmpty() const { return Head() == EmptyHeader(); }

void Str::Release() {
    Header *head = Head();
    if (head != EmptyHeader() && --head->count == 0)
        free(head);
}

Str &Str::operator=(const Str &other) {
    if (text_ != other.text_) {
        Str shared(other);
        std::swap(text_, shared.text_);
    }
    return *this;
}

Str &Str::operator=(const wchar_t *text) {
    // Build before releasing: the text may lie inside this string's own block.
    if (text != text_) {
        Str built(text);
        std::swap(text_, built.text_);
    }
    return *this;
}

bool Str::operator==(const wchar_t *text) const { return wcscmp(text_, text ? text : L"") == 0; }

void Str::Grow(int newLength) {
    const Header *head = Head();
    if (head->count == 1 && head->capacity >= NeedFor(newLength))
        return;
    Str grown = Adopt(Allocate(newLength));
    memcpy(grown.text_, text_, (head->length + 1) * sizeof(wchar_t));
    grown.Head()->length = head->length;
    std::swap(text_, grown.text_);
}

void Str::Append(const Str &other) {
    if (!other.IsEmpty())
        Append(other.text_);
}

void Str::Append(const wchar_t *text) {
    if (!text || !*text)
        return;
    const int oldLength = Length();
    const int added = TextLength(text);
    const int newLength = oldLength + added; // both at most kMaxLength: no overflow
    const Header *head = Head();
    if (head->count == 1 && head->capacity >= NeedFor(newLength)) {
        memmove(text_ + oldLength, text, added * sizeof(wchar_t));
        text_[newLength] = 0;
        Head()->length = newLength;
    } else {
        // The operand may point into the old block, so copy before releasing.
        Str grown = FromChars(text_, oldLength, text, added);
        std::swap(text_, grown.text_);
    }
}

Str Str::Concat(const wchar_t *left, const Str &right) {
    if (right.IsEmpty())
        return Str(left);
    if (!left || !*left)
        return right;
    return FromChars(left, TextLength(left), right.text_, right.Length());
}

Str Str::Concat(const Str &left, const wchar_t *right) {
    if (left.IsEmpty())
        return Str(right);
    if (!right || !*right)
        return left;
    return FromChars(left.text_, left.Length(), right, TextLength(right));
}

Str Str::Concat(const Str &left, const Str &right) {
    if (left.IsEmpty())
        return right;
    return Concat(left, right.text_);
}

wchar_t *Str::BufferFor(int count) {
    if (count < 0)
        count = 0;
    Grow(count > Length() ? count : Length());
    return text_;
}

void Str::SetLength(int length) {
    if (IsSharedEmpty())
        return; // nothing was asked for with BufferFor; stays the empty text
    const int room = RoomOf(Capacity());
    if (length < 0)
        length = static_cast<int>(wcsnlen(text_, room));
    else if (length > room)
        length = room;
    text_[length] = 0;
    Head()->length = length;
}

Str Str::Substring(int start, int count) const {
    const int length = Length();
    if (start < 0)
        start = 0;
    if (count < 0)
        count = 0;
    if (start >= length || count == 0)
        return Str();
    if (count > length - start)
        count = length - start;
    if (start == 0 && count == length)
        return *this;
    return FromChars(text_ + start, count, nullptr, 0);
}

Str Str::Prefix(int count) const { return Substring(0, count); }

Str Str::Suffix(int count) const {
    const int length = Length();
    if (count > length)
        count = length;
    return count <= 0 ? Str() : Substring(length - count, count);
}

void Str::Format(const wchar_t *format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void Str::FormatV(const wchar_t *format, va_list args) {
    // The runtime's _vscwprintf/_vsnwprintf follow the Windows convention
    // (%s wide, %hs narrow); the ISO swprintf of C++ mode would not. The
    // measured size means the text is never cut. Formatting goes into a fresh
    // string because an argument may be this string's own text.
    va_list measure;
    va_copy(measure, args);
    const int length = format ? _vscwprintf(format, measure) : -1;
    va_end(measure);
    Str result;
    if (length > 0) {
        wchar_t *buffer = result.BufferFor(length);
        _vsnwprintf(buffer, length + 1, format, args);
        buffer[length] = 0;
        result.SetLength(-1);
    }
    std::swap(text_, result.text_);
}

bool Str::LoadResourceString(UINT id) {
    const HINSTANCE module = ProgramModule();
    int loaded = 0;
    // LoadStringW cuts silently: a buffer with fewer than 2 characters left
    // over may hold a cut text, so try again with 256 more.
    for (int size = 256;; size += 256) {
        loaded = LoadStringW(module, id, BufferFor(size - 1), size);
        if (size - loaded >= 2)
            break;
    }
    if (loaded > 0) {
        SetLength(loaded);
        return true;
    }
    *this = Str();
    wchar_t message[80];
    _snwprintf(message, 80, L"Resource loading fail (id: %d hInst: %x)", id,
               static_cast<unsigned>(reinterpret_cast<UINT_PTR>(module)));
    message[79] = 0;
    LogError(message, L".\\BaseLib\\Str", L"", __LINE__);
    return false;
}

void Str::WindowText(HWND window) {
    const int length = GetWindowTextW(window, BufferFor(255), 256);
    if (length > 0)
        SetLength(length);
    else
        *this = Str();
}

Str FormatDouble(const wchar_t *format, double value) {
    Str text;
    text.Format(format, value);
    const wchar_t *chars = text.Text();
    const wchar_t *e = wcspbrk(chars, L"eE");
    if (!e || (e[1] != L'+' && e[1] != L'-'))
        return text;
    const wchar_t *digits = e + 2;
    const wchar_t *first = digits;
    while (*first == L'0' && wcslen(first) > 2)
        ++first;
    if (first == digits)
        return text;
    Str shorter = text.Prefix(static_cast<int>(digits - chars));
    shorter.Append(first);
    return shorter;
}
