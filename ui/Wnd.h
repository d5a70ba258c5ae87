// Wnd: the base of every window object of the program. It owns one platform
// window, routes each of that window's messages to the object's WindowProc
// through the window's user data, and keeps an optional back buffer that the
// window paints into and copies to the screen on WM_PAINT.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"

class Wnd {
public:
    Wnd();
    // Destroys the window, or hands an attached foreign window back to its
    // own procedure, then frees the back buffer.
    virtual ~Wnd();

    // Message handler. Here: WM_SIZE rebuilds the back buffer at the new client
    // size; everything goes on to the default procedure (an attached window's
    // own procedure).
    virtual LRESULT WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // With the fit flag set, moves the window onto the visible desktop.
    virtual void FitToVisibleDesktop();
    // Passes a notification on to the owner, if any.
    virtual void Notify(UINT code, UINT id, WPARAM wParam, LPARAM lParam);
    virtual void Reserved() {}

    Wnd(const Wnd &) = delete;
    Wnd &operator=(const Wnd &) = delete;

    // Makes the window (once; a second call returns the first window). The
    // rectangle is in the parent's client coordinates. With doubleBuffered a
    // back buffer of the rectangle's size is made. Null on failure.
    HWND Create(const wchar_t *caption, DWORD style, const RECT &rect, HWND parent, UINT childId,
                bool doubleBuffered);
    void Show(int showCommand);
    bool Move(int x, int y, int width, int height, bool repaint);
    // A new, empty back buffer of the current client size (only when the
    // window has one).
    void RebuildBackBuffer();
    // Serves a window made elsewhere (a control of a dialog template) by this
    // object. Fails for no window or one already served by another object.
    bool Attach(HWND window);

    HWND GetHwnd() const { return hwnd_; }
    HDC BackDC() const { return backDC_; }
    HBITMAP BackBitmap() const { return backBitmap_; }
    bool HasBackBuffer() const { return backDC_ != nullptr; }
    Wnd *Owner() const { return owner_; } // not owned
    void SetOwner(Wnd *owner) { owner_ = owner; }
    bool Fit() const { return fit_; }
    void SetFit(bool fit) { fit_ = fit; }
    bool IsAttached() const { return previousProc_ != nullptr; }

    // The object that serves a window, or null.
    static Wnd *FromHandle(HWND hwnd);
    // Window procedure of "VelWndCls" and of attached windows; a class that
    // registers a window class of its own uses it as that class's procedure.
    static LRESULT CALLBACK RoutingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static const wchar_t kClassName[]; // "VelWndCls"

protected:
    // Copies the back buffer to the window: the WM_PAINT of a double-buffered
    // window. Validates the window when there is no buffer.
    void PaintFromBackBuffer();
    // Uses another registered window class instead of "VelWndCls"; its
    // procedure must be RoutingProc. Call before Create.
    void UseClass(const wchar_t *className) { className_ = className; }
    // What the window would have done without this object.
    LRESULT DefaultProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_;  // not owned while attached; else destroyed with the object
    Wnd *owner_; // not owned

private:
    bool MakeBackBuffer(int width, int height);
    void FreeBackBuffer();
    void Detach();
    static bool RegisterCommonClass();

    HBITMAP backBitmap_;     // owned
    HDC backDC_;             // owned, backBitmap_ selected in it
    HGDIOBJ previousBitmap_; // selected in backDC_ before backBitmap_
    bool fit_;
    Str className_;
    WNDPROC previousProc_;           // set only while attached
    LONG_PTR previousUserData_;      // the attached window's own user data
};
