#include "calc/CalcEngine.h"

#include <windows.h>

#include <cmath>
#include <cwchar>

#include "BaseLib/Locale.h"
#include "calc/DisplayText.h"
#include "calc/Expression.h"

namespace {

const wchar_t kErrorText[] = L"Error";
const wchar_t kBackspace = 8;
// Integer digits a number can hold (its magnitude has 30 digits, 12 of
// them fractional).
const int kMaxIntegerDigits = FixedDecimal::kMaxDigits - FixedDecimal::kScale;

int SignOf(wchar_t op) {
    switch (op) {
    case L'+':
        return CalcEngine::kSignAdd;
    case L'-':
        return CalcEngine::kSignSubtract;
    case L'*':
        return CalcEngine::kSignMultiply;
    default:
        return CalcEngine::kSignDivide;
    }
}

FixedDecimal Hundred() {
    FixedDecimal hundred;
    hundred.Parse(L"100");
    return hundred;
}

// Digits in front of the point (or in the whole text when it has none).
int IntegerDigits(const wchar_t *text) {
    int digits = 0;
    for (const wchar_t *p = text; *p && *p != L'.'; ++p) {
        if (*p >= L'0' && *p <= L'9')
            ++digits;
    }
    return digits;
}

} // namespace

CalcEngine::CalcEngine(wchar_t decimalSeparator, wchar_t thousandsSeparator)
    : thousandsSep_(thousandsSeparator), decimalSep_(decimalSeparator), entry_(), replaceEntry_(true), pendingOp_(L' '),
      lastOp_(L' '), startOfChain_(true), operatorSign_(kSignNone) {
    Clear();
}

void CalcEngine::LoadLocaleSeparators() {
    // Three characters: a separator longer than two does not fit, the call
    // fails and the current one stays.
    wchar_t text[3] = L"";
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, text, 3) > 0)
        thousandsSep_ = text[0];
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, text, 3) > 0)
        decimalSep_ = text[0];
    Refresh();
}

void CalcEngine::SetSeparators(wchar_t decimalSeparator, wchar_t thousandsSeparator) {
    decimalSep_ = decimalSeparator;
    thousandsSep_ = thousandsSeparator;
    Refresh();
}

bool CalcEngine::OnKey(wchar_t key) {
    if (key >= L'0' && key <= L'9') {
        Digit(key);
        return true;
    }
    switch (key) {
    case L'+':
    case L'-':
    case L'*':
    case L'/':
        Operator(key);
        return true;
    case L'=':
        Equals();
        return true;
    case L'%':
        Percent();
        return true;
    case L'.':
    case L',':
        Point();
        return true;
    case kBackspace:
        Backspace();
        return true;
    default:
        return false;
    }
}

Str CalcEngine::ShownText() const { return TrimFraction(display_, decimalSep_); }

// --- Entry helpers -------------------------------------------------------

int CalcEngine::EntryLength() const { return static_cast<int>(wcslen(entry_)); }

bool CalcEngine::EntryHasPoint() const { return wcschr(entry_, L'.') != nullptr; }

bool CalcEngine::EntryIs(const wchar_t *text) const { return wcscmp(entry_, text) == 0; }

void CalcEngine::SetEntry(const wchar_t *text) {
    wcsncpy(entry_, text, kEntrySize - 1);
    entry_[kEntrySize - 1] = L'\0';
}

// A digit or point after a result or an operator starts a new entry, and so
// does one typed over the lone "0" (0 then 7 gives 7, not 07).
void CalcEngine::BeginEntry() {
    if (!replaceEntry_) {
        if (!EntryIs(L"0"))
            return;
    } else if (pendingOp_ == L'=') {
        startOfChain_ = true;
    }
    entry_[0] = L'\0';
    replaceEntry_ = false;
    if (startOfChain_)
        operatorSign_ = kSignNone;
}

// At most 19 digits, besides a sign and a point.
void CalcEngine::Append(wchar_t c) {
    const int length = EntryLength();
    const int limit = kMaxEntryDigits + EntryHasPoint() + EntryIsNegative();
    if (length < limit && length + 1 < kEntrySize) {
        entry_[length] = c;
        entry_[length + 1] = L'\0';
    }
    Refresh();
}

// A result longer than 19 digits with a point loses its last fractional
// digits, in the entry itself, so the entry stays one that could be typed.
void CalcEngine::Refresh() {
    const int length = EntryLength();
    const bool point = EntryHasPoint();
    const int excess = length - point - EntryIsNegative() - kMaxEntryDigits;
    if (point && excess > 0)
        entry_[length - excess] = L'\0';
    display_ = EntryToDisplay(entry_, decimalSep_);
}

void CalcEngine::Compute() {
    switch (pendingOp_) {
    case L'*':
        acc_.Multiply(operand_);
        break;
    case L'+':
        acc_.Add(operand_);
        break;
    case L'-':
        acc_.Subtract(operand_);
        break;
    case L'/':
        acc_.Divide(operand_);
        break;
    default:
        return;
    }
    acc_.Format(entry_, kEntrySize);
    replaceEntry_ = true;
    if (acc_.HasError()) {
        // The next number starts a new calculation.
        pendingOp_ = L' ';
        startOfChain_ = true;
    }
}

void CalcEngine::Finish() {
    lastOp_ = pendingOp_;
    pendingOp_ = L'=';
    replaceEntry_ = true;
    Refresh();
}

void CalcEngine::ShowError() {
    SetEntry(kErrorText);
    acc_.SetError();
    pendingOp_ = L' ';
    startOfChain_ = true;
    Finish();
}

// --- Keys ----------------------------------------------------------------

void CalcEngine::Digit(wchar_t digit) {
    if (digit < L'0' || digit > L'9')
        return;
    BeginEntry();
    Append(digit);
}

void CalcEngine::Point() {
    BeginEntry();
    if (entry_[0] == L'\0')
        SetEntry(L"0");
    if (EntryHasPoint())
        Refresh();
    else
        Append(L'.');
}

void CalcEngine::Operator(wchar_t op) {
    if (op != L'+' && op != L'-' && op != L'*' && op != L'/')
        return;
    operatorSign_ = SignOf(op);
    if (pendingOp_ == L'=' && replaceEntry_)
        operand_ = acc_;
    lastOp_ = op;
    if (startOfChain_) {
        acc_.Parse(entry_);
        operand_ = acc_;
        startOfChain_ = false;
    } else if (!replaceEntry_) {
        operand_.Parse(entry_);
        Compute();
    }
    // Otherwise an operator was just pressed: this one replaces it.
    pendingOp_ = op;
    replaceEntry_ = true;
    Refresh();
}

// Pressed again, '=' repeats the last operation with the same second operand.
void CalcEngine::Equals() {
    if (replaceEntry_)
        pendingOp_ = lastOp_;
    else
        operand_.Parse(entry_);
    Compute();
    Finish();
}

// 200 + 10 % gives 220, 200 - 10 % 180, 200 * 10 % 20, 200 / 10 % 2000, and
// 50 % alone 0.5.
void CalcEngine::Percent() {
    operatorSign_ = kSignPercent;
    if (startOfChain_) {
        acc_.Parse(entry_);
        operand_ = Hundred();
        pendingOp_ = L'/';
    } else if (replaceEntry_) {
        operand_ = Hundred();
        pendingOp_ = L'/';
    } else {
        operand_.Parse(entry_);
        operand_.Divide(Hundred());
        if (pendingOp_ == L'+' || pendingOp_ == L'-')
            operand_.Multiply(acc_); // a percentage of the first operand
    }
    Compute();
    Finish();
}

void CalcEngine::SquareRoot() {
    operatorSign_ = kSignRoot;
    if (startOfChain_) {
        acc_.Parse(entry_);
        acc_ = ::SquareRoot(acc_);
        acc_.Format(entry_, kEntrySize);
    } else if (replaceEntry_) {
        acc_ = ::SquareRoot(acc_);
        acc_.Format(entry_, kEntrySize);
    } else {
        FixedDecimal value;
        value.Parse(entry_);
        operand_ = ::SquareRoot(value); // 9 + 16 root gives 13
        Compute();
    }
    Finish();
}

void CalcEngine::ChangeSign() {
    // "Error" is no number; a sign in front of it would only mislead.
    if (EntryIs(kErrorText))
        return;
    const int length = EntryLength();
    if (EntryIsNegative()) {
        wmemmove(entry_, entry_ + 1, length); // the terminator moves too
    } else if (length + 1 < kEntrySize) {
        wmemmove(entry_ + 1, entry_, length + 1);
        entry_[0] = L'-';
    }
    if (replaceEntry_)
        acc_ = acc_.Negated(); // after "5 +" the first operand becomes -5
    Refresh();
}

void CalcEngine::Backspace() {
    const int length = EntryLength();
    if (length <= 1 || (length == 2 && EntryIsNegative()) || EntryIs(kErrorText)) {
        SetEntry(L"0");
        replaceEntry_ = false;
    } else {
        entry_[length - 1] = L'\0';
    }
    if (replaceEntry_ && pendingOp_ == L'=') {
        // A shown result is edited as a new first entry.
        startOfChain_ = true;
        replaceEntry_ = false;
    }
    Refresh();
}

void CalcEngine::Clear() {
    SetEntry(L"0");
    replaceEntry_ = true;
    lastOp_ = L' ';
    pendingOp_ = L' ';
    startOfChain_ = true;
    acc_.Empty();
    operand_.Empty();
    operatorSign_ = kSignNone;
    Refresh();
}

void CalcEngine::MemoryClear() {
    startOfChain_ = true;
    replaceEntry_ = true;
    memory_.reset();
}

void CalcEngine::MemoryRecall() {
    startOfChain_ = true;
    replaceEntry_ = true;
    if (!memory_)
        return;
    memory_->Format(entry_, kEntrySize);
    Refresh();
    operand_ = *memory_;
}

void CalcEngine::MemoryAdd() {
    startOfChain_ = true;
    replaceEntry_ = true;
    if (EntryIs(L"0"))
        return;
    // An entry that is no number ("Error") adds nothing: it would otherwise
    // add whatever the operand held before.
    FixedDecimal value;
    if (!value.Parse(entry_))
        return;
    if (memory_) {
        operand_ = value;
        memory_->Add(value);
    } else {
        acc_ = value;
        memory_.reset(new FixedDecimal(acc_));
    }
}

bool CalcEngine::Paste(const wchar_t *text) {
    ::SetThousandsSeparator(thousandsSep_);
    ::SetDecimalSeparator(decimalSep_);
    double value = 0;
    if (!EvaluateExpression(text, &value))
        return false;
    // Beyond 18 integer digits no number of the calculator can hold the
    // value, and from about 10^254 its "%f" text would not even fit the
    // entry: such a paste shows "Error", as an overflowing result does.
    wchar_t printed[kEntrySize] = L"";
    const int count = std::fabs(value) < 1e18 ? _snwprintf(printed, kEntrySize, L"%f", value) : -1;
    if (count < 0 || count >= kEntrySize || IntegerDigits(printed) > kMaxIntegerDigits) {
        ShowError();
        return true;
    }
    SetEntry(printed);
    Refresh();
    acc_.Parse(entry_);
    return true;
}
