#pragma once
// CWnd: a C++ object bound to one window.
//
// Binding. SubclassWindow (or CreateEx, or a dialog's creation) binds the
// window once: the thread that owns the window notes it in its own map from
// handle to object, and the window's procedure is replaced by one static
// procedure that finds the object there and calls its virtual WindowProc.
// The map, not the procedure, tells our windows: it still knows a window that
// someone else subclassed after us, and it leaves the window's user-data slot
// to others. (Not a window property: under Wine every property read is a round
// trip to the server, which made each message cost a twentieth of a
// millisecond.) The old procedure is kept for Default(). On WM_NCDESTROY the
// binding is removed and m_hWnd cleared, so an object never points at a dead
// window. An object that is destroyed first hands a subclassed window back to
// its old procedure, and destroys a window it created itself; when another
// procedure was put in front of ours meanwhile, ours stays in the chain and
// passes every message on to the old one until the window is gone.
//
// Dispatch. Override WindowProc with a short switch over the messages you
// handle and end with `return CBase::WindowProc(msg, wParam, lParam);`. The
// base calls the On... helpers below; each of them, unless overridden, runs
// Default(), the processing the window would have had without us (the old
// procedure; for dialogs the dialog manager's). Default() always refers to
// the message being handled by this object at that moment.
//
// Reflection. Before a window's own WindowProc sees WM_COMMAND from a control,
// WM_NOTIFY, WM_DRAWITEM and WM_MEASUREITEM (controls only, not menus) or
// WM_CTLCOLOR*, the sending child's object (if the child is bound) gets
// OnChildNotify. When that returns TRUE its result is the message's result
// and the parent sees nothing; otherwise the parent handles the message as
// usual. This lets a control draw and colour itself.
//
// Threads. An object's handlers run on the thread that owns its window. Other
// threads may call the members that only send or post messages
// (SetWindowText, SendMessage, PostMessage...); the system then runs the
// handler on the window's thread while that thread is in a message loop.

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Geometry.h"
#include "framework/Object.h"
#include "framework/String.h"

class CDC;
struct WndBindings;

class CWnd : public CObject {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  ~CWnd() override;

  HWND m_hWnd = nullptr;

  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }
  // The object bound to hwnd, or null when it has none. Call it on the
  // window's own thread (its bindings are noted there).
  static CWnd* FromHandlePermanent(HWND hwnd);

  // Creates a window of any registered class and binds it; the object owns it
  // and destroys it in its destructor.
  BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                CWnd* parent, UINT id);
  // Binds an existing window. Fails when this object already has a window or
  // the window already has an object.
  BOOL SubclassWindow(HWND hwnd);
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // Restores the old procedure and returns the window. Undo subclassing in
  // the reverse order, and not from inside this window's own handler.
  HWND UnsubclassWindow();
  BOOL DestroyWindow();

  // --- Dispatch ------------------------------------------------------------
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Processing by the old procedure, with the arguments of the current message.
  LRESULT Default();
  // Where Default() ends up; override to alter what reaches the old procedure.
  virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called by the modal loops for each message meant for this window or one
  // of its children, before translation. TRUE means "handled, drop it".
  virtual BOOL PreTranslateMessage(MSG* msg);

  // WM_COMMAND (after reflection). TRUE: handled, the result is 0;
  // FALSE: the message goes on to Default().
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  // WM_NOTIFY (after reflection). TRUE: handled with *result.
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  // A reflected message from this window's parent (see above). The base
  // turns WM_CTLCOLOR* into CtlColor. Default() is meaningless in here: it
  // belongs to this window's own current message, not the parent's.
  virtual BOOL OnChildNotify(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  // Reflected WM_CTLCOLOR*: a brush colours this control; null lets the
  // parent decide.
  virtual HBRUSH CtlColor(CDC* dc, UINT ctlType);
  // PreSubclassWindow runs with m_hWnd set but before the procedure is
  // replaced: messages sent from it still go to the old procedure.
  virtual void PreSubclassWindow() {}

  // Message helpers called by the base WindowProc. Defaults run Default().
  virtual void OnPaint();
  // All WM_CTLCOLOR* in one, ctlType being CTLCOLOR_*. control is the bound
  // object, or a wrapper owned by this window when the control has none.
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT ctlType);
  virtual LRESULT OnNcHitTest(CPoint screenPoint);
  virtual void OnClose();
  virtual void OnTimer(UINT_PTR id);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnDropFiles(HDROP drop);
  // Owner-draw items not taken by a control's reflection (menus above all).
  // The message's result is TRUE.
  virtual void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
  virtual void OnMeasureItem(int id, LPMEASUREITEMSTRUCT item);

  // --- Thin wrappers -------------------------------------------------------
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
  }
  BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
  }
  void SetWindowText(LPCSTR text) { ::SetWindowTextA(m_hWnd, text); }
  void GetWindowText(CString& text) const;
  int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)); }
  DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE)); }
  // Changes the style bits; with swpFlags the frame is refreshed through
  // SetWindowPos (e.g. SWP_FRAMECHANGED).
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  // The parent's object, or null when the parent is not bound.
  CWnd* GetParent() const { return FromHandlePermanent(::GetParent(m_hWnd)); }
  void GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
  void GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
  void ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
  void ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
  void ClientToScreen(LPRECT rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(rect), 2);
  }
  void ScreenToClient(LPRECT rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(rect), 2);
  }
  BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
  }
  void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
  void InvalidateRect(LPCRECT rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
  BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
  HWND SetFocus() { return ::SetFocus(m_hWnd); }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }
  void SetFont(HFONT font, BOOL redraw = TRUE) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
  }
  HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
  HICON SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
  }

  // Child controls by id. GetDlgItem gives the control's bound object or,
  // for a control without one, a plain wrapper owned by this window and kept
  // until this window is destroyed; null when there is no such control.
  // Call it on the window's own thread.
  CWnd* GetDlgItem(int id);
  void SetDlgItemText(int id, LPCSTR text) { ::SetDlgItemTextA(m_hWnd, id, text); }
  int GetDlgItemText(int id, CString& text) const;
  void CheckDlgButton(int id, UINT check) { ::CheckDlgButton(m_hWnd, id, check); }
  UINT IsDlgButtonChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id); }
  LRESULT SendDlgItemMessage(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return ::SendDlgItemMessageA(m_hWnd, id, msg, wParam, lParam);
  }

 private:
  struct CurrentMessage {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
  };

  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // Runs one message through reflection and WindowProc with Default()'s context set.
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  BOOL ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result);
  CWnd* ObjectOrWrapper(HWND child);
  // stillInChain: our procedure stays in the window's chain, passing messages on.
  void Unbind(bool stillInChain);

  WNDPROC m_oldProc = nullptr;
  // The map of the thread that owns m_hWnd; the object may die on another.
  WndBindings* m_bindings = nullptr;
  bool m_ownsWindow = false;
  CurrentMessage m_current{WM_NULL, 0, 0};
  std::vector<std::unique_ptr<CWnd>> m_wrappers;

  friend class CDialog;
};
