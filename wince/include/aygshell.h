// Shell functions of the handheld (aygshell.dll).
#pragma once
#include <windows.h>
#include "ceapi.h"

// Input panel ----------------------------------------------------------------

typedef enum {
    SIP_UP = 0,
    SIP_DOWN = 1,
    SIP_FORCEDOWN = 2,
    SIP_UNCHANGED = 3,
    SIP_INPUTDIALOG = 4,
} SIPSTATE;

// SIPINFO::fdwFlags
#define SIPF_OFF 0x00000000
#define SIPF_ON 0x00000001

// SHSipInfo actions. SPI_SETSIPINFO is also the wParam of WM_SETTINGCHANGE
// when the input panel changed. The desktop's SystemParametersInfoW knows
// neither, so the panel is queried through SHSipInfo.
#define SPI_SETSIPINFO 224
#define SPI_GETSIPINFO 225

typedef struct {
    DWORD cbSize;          // sizeof(SIPINFO), set by the caller
    DWORD fdwFlags;        // SIPF_*
    RECT rcVisibleDesktop; // screen area not covered by the panel
    RECT rcSipRect;
    DWORD dwImDataSize;
    void *pvImData;
} SIPINFO, *PSIPINFO;

AYGSHELL_API BOOL WINAPI SHSipPreference(HWND hwnd, SIPSTATE st);
// There is no input panel on a desktop: both queries fail, so callers fall
// back to the work area.
AYGSHELL_API BOOL WINAPI SipGetInfo(SIPINFO *pSipInfo);
AYGSHELL_API BOOL WINAPI SHSipInfo(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

// Menu bar ---------------------------------------------------------------------

#define SHCMBF_EMPTYBAR 0x0001

typedef struct tagSHMENUBARINFO {
    DWORD cbSize; // sizeof(SHMENUBARINFO)
    HWND hwndParent;
    DWORD dwFlags; // SHCMBF_*
    UINT nToolBarId;
    HINSTANCE hInstRes;
    int nBmpId;
    int cBmpImages;
    HWND hwndMB; // out: the menu bar window
    COLORREF clrBk;
} SHMENUBARINFO, *PSHMENUBARINFO;

// Only empty bars (SHCMBF_EMPTYBAR) exist here: a hidden window owned by
// hwndParent, destroyed with it.
AYGSHELL_API BOOL WINAPI SHCreateMenuBar(SHMENUBARINFO *pmbi);

// Dialog initialisation --------------------------------------------------------

#define SHIDIM_FLAGS 0x0001

#define SHIDIF_DONEBUTTON 0x0001
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004
#define SHIDIF_SIPDOWN 0x0008

typedef struct tagSHINITDLGINFO {
    DWORD dwMask; // SHIDIM_*
    HWND hDlg;
    DWORD dwFlags; // SHIDIF_*
} SHINITDLGINFO, *PSHINITDLGINFO;

// SHIDIF_SIZEDLGFULLSCREEN sizes the dialog to the work area.
AYGSHELL_API BOOL WINAPI SHInitDialog(SHINITDLGINFO *pshidi);

// Shortcuts --------------------------------------------------------------------

// Writes szShortcut as ANSI text "<length>#<target>" without a line end,
// length = characters of szTarget in decimal. Fails for NULL or empty
// arguments and for a target the ANSI code page cannot hold exactly.
AYGSHELL_API BOOL WINAPI SHCreateShortcut(LPWSTR szShortcut, LPWSTR szTarget);
