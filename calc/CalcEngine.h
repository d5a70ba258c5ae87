// CalcEngine: the calculator's state machine, without a window. It holds the
// entry text, the two operands, the memory and the flags, and has one
// procedure per key. It computes as it goes: every operator first completes
// the pending operation, left to right, with no precedence (2 + 3 * 4 = 20).
//
// The calculator window owns one engine, maps each key message onto one
// call and then shows DisplayText(), OperatorSign() and MemorySign().
#pragma once
#include <memory>

#include "BaseLib/Str.h"
#include "calc/FixedDecimal.h"

class CalcEngine {
public:
    static constexpr int kEntrySize = 256;     // entry characters, terminator included
    static constexpr int kMaxEntryDigits = 19; // digits a typed entry may have

    // The display's operator picture.
    enum Sign { kSignNone = -1, kSignAdd, kSignSubtract, kSignMultiply, kSignDivide, kSignPercent, kSignRoot };

    // Starts cleared (entry "0"), with no memory.
    explicit CalcEngine(wchar_t decimalSeparator = L'.', wchar_t thousandsSeparator = L' ');
    CalcEngine(const CalcEngine &) = delete;
    CalcEngine &operator=(const CalcEngine &) = delete;

    // The first characters of the user locale's separators replace the
    // current ones when they can be read. The decimal separator is used for
    // showing and pasting (the entry itself always holds '.'), the thousands
    // separator only for pasting.
    void LoadLocaleSeparators();
    void SetSeparators(wchar_t decimalSeparator, wchar_t thousandsSeparator);
    wchar_t DecimalSeparator() const { return decimalSep_; }
    wchar_t ThousandsSeparator() const { return thousandsSep_; }

    // A typed character or the code of a hardware key: '0'..'9', '+', '-',
    // '*', '/', '=', '%', '.' or ',' (the point), 8 (backspace). False, and
    // nothing changed, for anything else.
    bool OnKey(wchar_t key);

    void Digit(wchar_t digit);
    void Point();
    void Operator(wchar_t op); // '+', '-', '*', '/'
    void Equals();
    void Percent();
    void SquareRoot();
    void ChangeSign();
    void Backspace();
    void Clear(); // keeps the memory
    void MemoryClear();
    void MemoryRecall();
    void MemoryAdd();

    // Evaluates a pasted text (see Expression.h, read with this engine's
    // separators, which become the process-wide ones) and puts the value
    // into the entry with six decimals, as the first operand. A value beyond
    // 18 integer digits does not fit any number of the calculator: it shows
    // "Error" as an overflowing result does. False, and nothing changed,
    // when the text does not evaluate.
    bool Paste(const wchar_t *text);

    // What the display shows: the entry with the decimal separator, as last
    // refreshed. The display drops trailing fractional zeros (ShownText).
    const Str &DisplayText() const { return display_; }
    Str ShownText() const;
    int OperatorSign() const { return operatorSign_; }
    bool MemorySign() const { return memory_ != nullptr; }

    // State, for the window's tests and for diagnosis.
    const wchar_t *Entry() const { return entry_; }
    bool ReplaceEntry() const { return replaceEntry_; }
    bool StartOfChain() const { return startOfChain_; }
    wchar_t PendingOp() const { return pendingOp_; }
    wchar_t LastOp() const { return lastOp_; }
    const FixedDecimal &Accumulator() const { return acc_; }
    const FixedDecimal &Operand() const { return operand_; }
    const FixedDecimal *Memory() const { return memory_.get(); } // null when empty

private:
    void BeginEntry();
    void Append(wchar_t c);
    void Refresh();
    void Compute();
    void Finish();
    void SetEntry(const wchar_t *text);
    void ShowError();
    bool EntryIs(const wchar_t *text) const;
    int EntryLength() const;
    bool EntryHasPoint() const;
    bool EntryIsNegative() const { return entry_[0] == L'-'; }

    wchar_t thousandsSep_;
    wchar_t decimalSep_;
    wchar_t entry_[kEntrySize];            // '-'?, digits, one '.' at most; or a result; or "Error"
    bool replaceEntry_;                    // the next digit or point starts a new entry
    wchar_t pendingOp_;                    // '+', '-', '*', '/'; '=' after a result; ' ' none
    wchar_t lastOp_;                       // what '=' repeats
    bool startOfChain_;                    // no first operand held: the next operator takes the entry
    FixedDecimal acc_;                     // first operand and result
    FixedDecimal operand_;                 // second operand
    std::unique_ptr<FixedDecimal> memory_; // owned; null when the memory is empty
    Str display_;
    int operatorSign_;
};
