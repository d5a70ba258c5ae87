// The ink control (richink.dll): InitRichInkDLL registers the window class
// "RichInk", an editor of typed text, handwriting and drawing that the notes
// screen creates and drives with messages.
//
// A note has two pages of one content: in typing mode (input mode 1) the page
// is lined and the keyboard types text at the caret, while the stylus writes
// ink inside the text's lines (handwriting, kept as strokes until it is
// recognised); in drawing mode (input mode 0) the stylus draws strokes
// anywhere. Strokes are kept in page coordinates at zoom 100, so a zoom only
// changes how the note is shown.
//
// Standard messages the control answers: WM_GETTEXT/WM_GETTEXTLENGTH (the
// typed text, lines separated by "\r\n"), WM_SETTEXT, WM_CUT, WM_COPY,
// WM_PASTE, WM_CLEAR (on the selection: text and strokes), EM_GETSEL,
// EM_SETSEL, EM_REPLACESEL (replaces the selected text, one undo step),
// EM_CANUNDO, EM_UNDO, EM_CANPASTE (text on the clipboard), EM_GETMODIFY,
// EM_SETMODIFY, EM_STREAMOUT and EM_STREAMIN with format SF_RICHINK.
//
// Limits: the typed text holds at most 1,000,000 UTF-16 units; typing past
// it beeps, and WM_PASTE, EM_REPLACESEL and WM_SETTEXT insert only what fits
// (WM_PASTE takes at most 1,000,000 characters from the clipboard). A note
// holds at most 100,000 strokes of at most 100,000 points each and 4,000,000
// points in all. Line breaks are always kept as "\r\n", and selection
// positions never fall between their two characters. RIM_SETZOOM and
// RIM_SETPARAM bring a value outside its range to the nearest end; page
// styles and input modes other than the defined ones are ignored.
//
// Editing: every change of text or strokes (undo and redo included) sets the
// modified flag; EM_STREAMIN of a note and RIM_CLEARALL clear it, as they
// also clear the undo history. WM_COPY and WM_CUT put the selected text on
// the clipboard as CF_UNICODETEXT; WM_CUT and WM_CLEAR then remove the
// selected text and strokes as one undo step. In typing mode a stylus press
// on typed text places the caret and a drag from there selects (and selects
// the strokes the drag's rectangle touches); a press elsewhere writes ink.
//
// Notification: WM_NOTIFY to the parent with code RIN_EDITMENU and an
// NMRICHINKMENU, when the user holds the stylus still on the page (or presses
// the context-menu key): the parent shows its edit menu at the point. A
// press held about 600 ms within 3 pixels of where it started is a hold (the
// control's window timer 1 measures it); it writes no ink and leaves the
// selection as it was. From the keyboard the point is the caret's.
#pragma once
#include <windows.h>

#include "ceapi.h"

#define WC_RICHINKW L"RichInk"

RICHINK_API void WINAPI InitRichInkDLL(void);

// The stream format of EM_STREAMIN/EM_STREAMOUT (flags 67586): the control's
// own, versioned. It holds the text, the strokes, the page style, the input
// mode and the zooms, and reads back exactly what was written. EM_STREAMIN
// of a damaged or foreign stream changes nothing, answers 0 and sets the
// EDITSTREAM's dwError to RI_E_BADSTREAM (or to the callback's own error
// when the callback fails). EM_STREAMIN answers the bytes read, EM_STREAMOUT
// the bytes written. Any other format answers 0 and changes nothing.
#define SF_RICHINK 67586
#define RI_E_BADSTREAM 0xE0C10001

// Page styles (RIM_SETPAGESTYLE).
#define RI_PAGE_BLANK 2  // drawing page: no lines
#define RI_PAGE_LINED 16 // typing page: ruled lines under the text

// Input modes (RIM_SETINPUTMODE).
#define RI_INPUT_DRAWING 0 // the stylus draws anywhere
#define RI_INPUT_TYPING 1  // the keyboard types; the stylus writes ink in the lines

// Notification code of the edit-menu request.
#define RIN_EDITMENU 1000
typedef struct tagNMRICHINKMENU {
    NMHDR hdr;
    POINT pt; // in the control's client coordinates
} NMRICHINKMENU;

// The control's own messages. Unless said otherwise they answer 0.
enum RichInkMessage : UINT {
    RIM_SELECTALL = WM_USER + 206,     // selects all text and strokes
    RIM_HASSELECTION = WM_USER + 210,  // answers non-zero when something is selected
    RIM_UNDO = WM_USER + 234,          // undoes the last typing or stroke step
    RIM_REDO = WM_USER + 235,          // redoes the last undone step
    RIM_RECOGNIZE = WM_USER + 239,     // selected ink (all ink when none is selected) becomes text at its place
    RIM_CANREDO = WM_USER + 246,       // answers non-zero when there is a step to redo
    RIM_SETVIEW = WM_USER + 284,       // wParam 2: the normal view (scrolled to the top, caret at the start)
    RIM_SETWRAP = WM_USER + 275,       // wParam 1: lines wrap at the window's width; 0: they do not
    RIM_SETPENTIP = WM_USER + 277,     // wParam 1: round pen tip (the only one drawn)
    RIM_SETPAGESTYLE = WM_USER + 287,  // wParam: RI_PAGE_BLANK or RI_PAGE_LINED
    RIM_GETZOOM = WM_USER + 289,       // answers the zoom in percent
    RIM_SETZOOM = WM_USER + 290,       // lParam: zoom in percent, 75..300; 0 means 100
    RIM_SHOWSELECTION = WM_USER + 316, // scrolls the caret or selection into view and repaints
    RIM_GETPAGESTYLE = WM_USER + 323,  // answers the page style
    RIM_GETINPUTMODE = WM_USER + 328,  // answers the input mode
    RIM_SETINPUTMODE = WM_USER + 329,  // wParam: RI_INPUT_DRAWING or RI_INPUT_TYPING
    RIM_CLEARALL = WM_USER + 331,      // empties the note: text, strokes, undo and redo
    RIM_SETINKCOLOR = WM_USER + 336,   // wParam 1: black ink (the only colour drawn)
    RIM_SETPARAM = WM_USER + 337,      // wParam RI_PARAM_*, lParam its value
    RIM_RELAYOUT = WM_USER + 349,      // wParam 1: lays the page out again for the window's size and repaints
};

// Parameters of RIM_SETPARAM.
#define RI_PARAM_PAGEEXTRA 0 // empty space kept below the content, in pixels at zoom 100
#define RI_PARAM_PENWIDTH 1  // pen width in percent of the normal width (25..400)
