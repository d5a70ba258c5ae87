// Str: the reference-counted, copy-on-write UTF-16 text of the system.
//
// A Str is one pointer to NUL-terminated characters, so it converts to
// const wchar_t* and can be handed to any platform call as it is. In front of
// the characters sits a header of three 32-bit words (share count, length,
// capacity). Counts are plain integers: a Str and every Str sharing its block
// stay on one thread.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <cstdint>

class Str {
public:
    Str();
    Str(const wchar_t *text); // null or "" gives the shared empty text
    Str(const Str &other);    // shares the block
    ~Str();

    Str &operator=(const Str &other);
    Str &operator=(const wchar_t *text);

    operator const wchar_t *() const { return text_; }
    const wchar_t *Text() const { return text_; }
    int Length() const { return Head()->length; }
    bool IsEmpty() const { return Head()->length == 0; }
    bool operator==(const wchar_t *text) const;
    bool operator!=(const wchar_t *text) const { return !(*this == text); }

    // Size class of the block in bytes and the number of Str sharing it;
    // the shared empty text reports 64 and 100.
    int Capacity() const { return Head()->capacity; }
    int ShareCount() const { return Head()->count; }

    // Appending an empty or null operand changes nothing.
    void Append(const Str &other);
    void Append(const wchar_t *text);

    static Str Concat(const wchar_t *left, const Str &right);
    static Str Concat(const Str &left, const wchar_t *right);
    static Str Concat(const Str &left, const Str &right);

    // BufferFor(n) gives a writable buffer of at least n characters plus a
    // terminator; SetLength(k) then fixes the length (-1: measure the text).
    wchar_t *BufferFor(int count);
    void SetLength(int length);

    // Negative arguments count as 0 and counts are cut at the end; a result
    // equal to the whole text shares its block.
    Str Substring(int start, int count) const;
    Str Prefix(int count) const;
    Str Suffix(int count) const;

    // printf-style with the Windows wide convention: %s wide text, %c wide
    // character, %hs narrow text, %I64d 64-bit integer.
    void Format(const wchar_t *format, ...);
    void FormatV(const wchar_t *format, va_list args);

    // Loads a string resource of the program's module; false (and empty text,
    // and a log line) when nothing could be loaded.
    bool LoadResourceString(UINT id);
    // The window's text, at most 255 characters.
    void WindowText(HWND window);

private:
    struct Header {
        int32_t count;
        int32_t length;
        int32_t capacity;
    };
    static_assert(sizeof(Header) == 12, "three 32-bit words in front of the text");

    static Str Adopt(Header *block); // takes over the block's one share
    Header *Head() const { return reinterpret_cast<Header *>(text_) - 1; }
    static Header *EmptyHeader();
    bool IsSharedEmpty() const;
    void Release();
    void Grow(int newLength); // unique block with room for newLength chars
    static Header *Allocate(int length);
    static Str FromChars(const wchar_t *first, int firstLength, const wchar_t *second, int secondLength);

    wchar_t *text_; // owns one share of the block in front of it
};

// One number printed with a printf format ("%.3g", "%e", ...), its exponent
// cut to at least two digits: the runtime prints three ("2e+007"), the
// system shows "2e+07". Only the exponent's leading zeros go.
Str FormatDouble(const wchar_t *format, double value);
