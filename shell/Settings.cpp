#include "Settings.h"

#include <cwchar>

#include "BaseLib/RegKey.h"

#include "ui/Scaling.h"

namespace {

// Values that are read in this order, each present one replacing the field:
// several names feed one field (the later wins) and all of them are written.
struct DwordValue {
    const wchar_t *name;
    DWORD Settings::*field;
};

const DwordValue kDwordValues[] = {
    {L"PopupBtt", &Settings::popupBtt},           {L"ShowIcon", &Settings::showIcon},
    {L"FeedbackVibro", &Settings::feedbackVibro}, {L"MinimizedPosX", &Settings::minimizedPosX},
    {L"MinimizedPosY", &Settings::minimizedPosY}, {L"MaxPosCalcX", &Settings::maxPosX},
    {L"MaxPosCalcY", &Settings::maxPosY},         {L"MaxPosNoteX", &Settings::maxPosX},
    {L"MaxPosNoteY", &Settings::maxPosY},         {L"IsFullNote", &Settings::isFull},
    {L"IsFullCalc", &Settings::isFull},           {L"MaxPosConvX", &Settings::maxPosX},
    {L"MaxPosConvY", &Settings::maxPosY},         {L"NoteScale1", &Settings::noteScale1},
    {L"NoteScale2", &Settings::noteScale2},       {L"PenMode", &Settings::penMode},
    {L"UseDrawing", &Settings::useDrawing},
};

// The order in which the values are written: these numbers, the texts, then
// "UseDrawing".
const wchar_t *const kDwordsBeforeTexts[] = {
    L"PopupBtt",    L"ShowIcon",   L"FeedbackVibro", L"MinimizedPosX", L"MinimizedPosY", L"MaxPosCalcX",
    L"MaxPosCalcY", L"IsFullNote", L"IsFullCalc",    L"MaxPosNoteX",   L"MaxPosNoteY",   L"MaxPosConvX",
    L"MaxPosConvY", L"NoteScale1", L"NoteScale2",    L"PenMode",
};
const wchar_t kDwordAfterTexts[] = L"UseDrawing";

const wchar_t *const kRecentNames[4] = {L"Recent0", L"Recent1", L"Recent2", L"Recent3"};

// A number is read only from a REG_DWORD: a text "0" would read as 48.
bool ReadDword(HKEY key, const wchar_t *name, DWORD *value) {
    DWORD data, type, size = sizeof data;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(&data), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof data)
        return false;
    *value = data;
    return true;
}

// Reads a text of at most limitBytes (terminator included) into field, which
// holds at least that much; a longer, missing or non-text value leaves the
// field as it is.
void ReadText(HKEY key, const wchar_t *name, wchar_t *field, DWORD limitBytes) {
    wchar_t buffer[MAX_PATH + 1];
    DWORD type, size = limitBytes;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return;
    DWORD chars = size / sizeof(wchar_t);
    if (chars > 0 && buffer[chars - 1] == L'\0')
        --chars;
    if (chars >= limitBytes / sizeof(wchar_t))
        return; // no room left for the terminator
    wmemcpy(field, buffer, chars);
    field[chars] = L'\0';
}

// Writes the value of that name from the table.
void WriteDword(HKEY key, const Settings &settings, const wchar_t *name) {
    for (const DwordValue &value : kDwordValues) {
        if (lstrcmpW(value.name, name) == 0) {
            RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&(settings.*value.field)),
                           sizeof(DWORD));
            return;
        }
    }
}

void WriteText(HKEY key, const wchar_t *name, const wchar_t *text) {
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text),
                   static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
}

} // namespace

Settings::Settings(int dpiX, int dpiY, const wchar_t *documentsFolder)
    : minimizedPosX(ScaleUnits(190, dpiX)), minimizedPosY(ScaleUnits(255, dpiY)), maxPosX(ScaleUnits(20, dpiX)),
      maxPosY(ScaleUnits(65, dpiY)), dpiX_(dpiX), dpiY_(dpiY) {
    lstrcpynW(documents_, documentsFolder, MAX_PATH);
    lstrcpynW(noteDir, documents_, MAX_PATH);
}

void Settings::Load(const wchar_t *path) {
    minimizedPosX = ScaleUnits(190, dpiX_);
    minimizedPosY = ScaleUnits(255, dpiY_);
    penMode = 0;
    useDrawing = 0;
    RegKey key;
    if (key.Open(path, KEY_READ)) {
        for (const DwordValue &value : kDwordValues)
            ReadDword(key.Get(), value.name, &(this->*value.field));
        ReadText(key.Get(), L"NoteName", noteName, 100);
        ReadText(key.Get(), L"NoteDir", noteDir, 260);
        for (int i = 0; i < 4; ++i)
            ReadText(key.Get(), kRecentNames[i], recent[i], sizeof recent[i]);
    }
    if (static_cast<int>(minimizedPosX) < 1)
        minimizedPosX = 1;
    if (static_cast<int>(minimizedPosY) <= static_cast<int>(MinimizedTopLimit(dpiY_)))
        minimizedPosY = MinimizedTopLimit(dpiY_);
    if (useDrawing == 0)
        penMode = 1;
    if (noteDir[0] == L'\0')
        lstrcpynW(noteDir, documents_, MAX_PATH);
}

void Settings::Save(const wchar_t *path) const {
    RegKey key;
    if (!key.Create(path, KEY_WRITE))
        return;
    for (const wchar_t *name : kDwordsBeforeTexts)
        WriteDword(key.Get(), *this, name);
    WriteText(key.Get(), L"NoteName", noteName);
    WriteText(key.Get(), L"NoteDir", noteDir);
    for (int i = 0; i < 4; ++i)
        WriteText(key.Get(), kRecentNames[i], recent[i]);
    WriteDword(key.Get(), *this, kDwordAfterTexts);
}
