// CMySkinCmb: a drop-down selector drawn from three pictures (left cap,
// stretched middle, right cap). It shows the current entry; a tap opens the
// drop-down list of all entries over its owner's whole client area.
//
// Messages with the owner (the selector's parent):
//   UWM_LIST_CHOSEN to the selector, wParam = new index: the selector takes
//     it, repaints and sends UWM_LIST_CHOSEN to the owner with wParam = its
//     child id and lParam = the index (the drop-down list reports a choice
//     this way).
//   UWM_POPUP_SET to the owner, wParam = child id: the selector was tapped and
//     is about to open its list.
//   UWM_LIST_OPENED to the owner, lParam = child id: sent once, before
//     the list is made.
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "BaseLib/Str.h"
#include "ui/Gdi.h"
#include "ui/PressTracker.h"
#include "ui/Wnd.h"

const UINT UWM_LIST_CHOSEN = 13890;
const UINT UWM_LIST_OPENED = 13891;
const UINT UWM_POPUP_SET = 13892;

// The drop-down list a selector opens: a window over the owner's client area
// that shows the entries with the current one marked and reports a choice by
// sending UWM_LIST_CHOSEN with the index to the selector. The selector owns it.
class ISkinCmbList {
public:
    virtual ~ISkinCmbList() {}
    virtual HWND ListWindow() const = 0;
    // Fills the list (again) with the selector's entries.
    virtual void SetEntries(const Str *entries, int count, int current) = 0;
};

class CMySkinCmb : public Wnd {
public:
    static constexpr int kMaxEntryLength = 40;
    // Drawing styles: one look per picture, or the normal look in the left
    // half of each picture and the pressed look in the right half.
    enum Style { kStyleSingle = 1, kStyleTwoLooks = 2 };

    CMySkinCmb();
    ~CMySkinCmb() override;

    LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Makes the (hidden) selector as a child of its owner.
    HWND CreateSelector(HWND owner, const RECT &rect, UINT childId);
    // The three pictures from the program's resources (ids as the caller
    // picked them for the screen); a missing one is left out.
    void SetBitmaps(UINT leftId, UINT middleId, UINT rightId, Style style);
    // The entries (each cut to kMaxEntryLength characters) and the current
    // one; an open list is filled again.
    void SetEntries(const wchar_t *const *entries, int count, int current);
    void SetBold(bool bold);

    int Current() const { return current_; }
    int Count() const { return static_cast<int>(entries_.size()); }
    const wchar_t *Entry(int index) const;
    bool IsPressed() const { return press_.Pressed(); }

    bool IsListOpen() const;
    // Hides an open list; true when there was one (the back button then only
    // closes the list).
    bool CloseList();
    // Fits an open list to the owner's client area again (after the owner
    // changed size).
    void FitListToOwner();
    ISkinCmbList *List() const { return list_.get(); }

protected:
    // Makes the drop-down list over the owner's client area (owner client
    // coordinates), not yet filled and hidden. Called once, on the first tap;
    // null when there is no list, and the tap then opens nothing.
    virtual ISkinCmbList *MakeDropDownList(HWND owner, const RECT &ownerClient);

private:
    void Paint(HDC dc, const RECT &client) override;
    void OnSelect(int index);
    void OpenList();

    HWND owner_; // not owned
    UINT childId_;
    Bitmap left_, middle_, right_;
    Style style_;
    PressTracker press_;
    bool bold_;
    std::vector<Str> entries_;
    int current_;
    Font font_;
    std::unique_ptr<ISkinCmbList> list_;
};
