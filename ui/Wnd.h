// Wnd: the base of every window object of the program. It owns one platform
// window, routes each of that window's messages to the object's WindowProc
// through the window's user data, and keeps an optional back buffer: a
// window that has one is painted by Paint into the buffer, which WM_PAINT
// copies to the screen.
#pragma once
#include <windows.h>

#include "BaseLib/Str.h"
#include "ui/PBufferDC.h"

class Wnd {
public:
    Wnd();
    // Destroys the window, or hands an attached foreign window back to its
    // own procedure, then frees the back buffer.
    virtual ~Wnd();

    // Message handler. Here, for a window with a back buffer: WM_SIZE makes
    // the buffer again at the new client size and redraws it, WM_PAINT copies
    // the invalid part of it to the screen and WM_ERASEBKGND erases nothing.
    // Everything else goes on to the default procedure (an attached window's
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
    HWND Create(const wchar_t *caption, DWORD style, const RECT &rect, HWND parent, UINT childId, bool doubleBuffered);
    void Show(int showCommand);
    bool Move(int x, int y, int width, int height, bool repaint);
    // A new, empty back buffer of the current client size (only when the
    // window has one).
    void RebuildBackBuffer();
    // Paints the whole window into its back buffer and invalidates the window
    // without erasing it (nothing without a buffer).
    void Redraw();
    // A window that is not shown gives its back buffer's memory back; it
    // stays double-buffered and makes and paints the buffer again when
    // restored, or at its next WM_PAINT.
    void ReleaseBackBuffer();
    void RestoreBackBuffer();
    // The same for every window of a tree (a tool screen and its controls).
    static void ReleaseTreeBuffers(HWND root);
    static void RestoreTreeBuffers(HWND root);
    // Serves a window made elsewhere (a control of a dialog template) by this
    // object. Fails for no window or one already served by another object.
    bool Attach(HWND window);

    HWND GetHwnd() const { return hwnd_; }
    const PBufferDC &BackBuffer() const { return backBuffer_; }
    HDC BackDC() const { return backBuffer_.Dc(); }
    HBITMAP BackBitmap() const { return backBuffer_.Bitmap(); }
    bool HasBackBuffer() const { return backBuffer_.Dc() != nullptr; }
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
    // Draws the whole window into dc, the back buffer's, whose client
    // rectangle is client. Called by Redraw; nothing here.
    virtual void Paint(HDC dc, const RECT &client);
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
    void Detach();
    static bool RegisterCommonClass();

    PBufferDC backBuffer_;
    bool released_; // the buffer was given back by ReleaseBackBuffer
    bool fit_;
    Str className_;
    WNDPROC previousProc_;      // set only while attached
    LONG_PTR previousUserData_; // the attached window's own user data
};
