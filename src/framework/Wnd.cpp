#include "framework/Wnd.h"

#include <unordered_map>

#include "framework/Gdi.h"

// One thread's bound windows. A window whose object let go while another
// procedure sat in front of ours keeps an entry without object: ours must
// still pass its messages on to the procedure it replaced.
struct WndBindings {
  struct Entry {
    CWnd* object;
    WNDPROC oldProc;
  };
  std::unordered_map<HWND, Entry> windows;

  static WndBindings& OfThisThread() {
    thread_local WndBindings bindings;
    return bindings;
  }
  const Entry* Find(HWND hwnd) const {
    const auto found = windows.find(hwnd);
    return found == windows.end() ? nullptr : &found->second;
  }
};

namespace {

bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Signed coordinates from a mouse or hit-test lParam (multi-monitor set-ups
// give negative screen positions).
CPoint PointFrom(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

}  // namespace

CWnd::~CWnd() {
  if (!m_hWnd || !m_oldProc) return;
  const bool owned = m_ownsWindow;
  HWND hwnd = UnsubclassWindow();
  if (owned) ::DestroyWindow(hwnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  const WndBindings::Entry* entry = hwnd ? WndBindings::OfThisThread().Find(hwnd) : nullptr;
  return entry ? entry->object : nullptr;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id) {
  if (m_hWnd) return FALSE;
  const bool child = (style & WS_CHILD) != 0;
  HWND hwnd =
      ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                        child ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr,
                        ::GetModuleHandleA(nullptr), nullptr);
  if (!hwnd) return FALSE;
  if (!SubclassWindow(hwnd)) {
    ::DestroyWindow(hwnd);
    return FALSE;
  }
  m_ownsWindow = true;
  return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  // A window stays ours while our procedure is in its chain, object or not:
  // binding it again would make our procedure its own old procedure.
  WndBindings& bindings = WndBindings::OfThisThread();
  if (m_hWnd || !hwnd || !::IsWindow(hwnd) || bindings.Find(hwnd)) return FALSE;
  if (::GetWindowThreadProcessId(hwnd, nullptr) != ::GetCurrentThreadId()) return FALSE;
  m_hWnd = hwnd;
  PreSubclassWindow();
  // Noted first: the messages the swap itself sends must find the object.
  bindings.windows[hwnd] = WndBindings::Entry{this, nullptr};
  m_oldProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc)));
  if (!m_oldProc) {
    bindings.windows.erase(hwnd);
    m_hWnd = nullptr;
    return FALSE;
  }
  bindings.windows[hwnd].oldProc = m_oldProc;
  m_bindings = &bindings;
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, id));
}

HWND CWnd::UnsubclassWindow() {
  HWND hwnd = m_hWnd;
  if (!hwnd || !m_oldProc) return nullptr;
  const auto ours = reinterpret_cast<LONG_PTR>(&CWnd::StaticWindowProc);
  // Only a procedure still on top can be taken out; under another's it stays
  // and only passes messages on (see Unbind).
  const bool onTop = ::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == ours;
  if (onTop) ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
  Unbind(!onTop);
  return hwnd;
}

BOOL CWnd::DestroyWindow() { return m_hWnd && ::DestroyWindow(m_hWnd); }

void CWnd::Unbind(bool stillInChain) {
  if (m_bindings) {
    if (stillInChain)
      m_bindings->windows[m_hWnd].object = nullptr;
    else
      m_bindings->windows.erase(m_hWnd);
  }
  m_bindings = nullptr;
  m_hWnd = nullptr;
  m_oldProc = nullptr;
  m_ownsWindow = false;
  m_wrappers.clear();
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WndBindings& bindings = WndBindings::OfThisThread();
  const WndBindings::Entry* entry = bindings.Find(hwnd);
  if (entry && entry->object) return entry->object->Dispatch(msg, wParam, lParam);
  if (!entry || !entry->oldProc) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
  // Left in another's chain without an object: only the hand-on remains.
  const WNDPROC oldProc = entry->oldProc;
  if (msg == WM_NCDESTROY) bindings.windows.erase(hwnd);
  return ::CallWindowProcA(oldProc, hwnd, msg, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Handlers may send messages to their own window; each nesting level
  // restores the message that Default() refers to.
  const CurrentMessage outer = m_current;
  m_current = CurrentMessage{msg, wParam, lParam};
  LRESULT result = 0;
  if (!ReflectToChild(msg, wParam, lParam, &result)) result = WindowProc(msg, wParam, lParam);
  m_current = outer;
  if (msg == WM_NCDESTROY && m_hWnd) Unbind(false);
  return result;
}

BOOL CWnd::ReflectToChild(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
      child = reinterpret_cast<HWND>(lParam);
      break;
    case WM_NOTIFY:
      if (lParam) child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
      break;
    case WM_DRAWITEM:
      if (lParam && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
        child = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
      break;
    case WM_MEASUREITEM:
      if (lParam && reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType != ODT_MENU)
        child = ::GetDlgItem(m_hWnd, reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlID);
      break;
    default:
      if (IsCtlColorMessage(msg)) child = reinterpret_cast<HWND>(lParam);
      break;
  }
  CWnd* target = FromHandlePermanent(child);
  return target && target != this && target->OnChildNotify(msg, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      break;
    }
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_NCHITTEST:
      return OnNcHitTest(PointFrom(lParam));
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), PointFrom(lParam));
      return 0;
    case WM_DROPFILES:
      OnDropFiles(reinterpret_cast<HDROP>(wParam));
      return 0;
    case WM_DRAWITEM:
      OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
      return TRUE;
    case WM_MEASUREITEM:
      OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
      return TRUE;
    default:
      if (IsCtlColorMessage(msg)) {
        CDC dc;
        dc.Attach(reinterpret_cast<HDC>(wParam));
        CWnd* control = ObjectOrWrapper(reinterpret_cast<HWND>(lParam));
        return reinterpret_cast<LRESULT>(OnCtlColor(&dc, control, msg - WM_CTLCOLORMSGBOX));
      }
      break;
  }
  return Default();
}

LRESULT CWnd::Default() { return DefWindowProc(m_current.msg, m_current.wParam, m_current.lParam); }

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (m_oldProc) return ::CallWindowProcA(m_oldProc, m_hWnd, msg, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }
BOOL CWnd::OnCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnChildNotify(UINT msg, WPARAM wParam, LPARAM, LRESULT* result) {
  if (!IsCtlColorMessage(msg)) return FALSE;
  CDC dc;
  dc.Attach(reinterpret_cast<HDC>(wParam));
  HBRUSH brush = CtlColor(&dc, msg - WM_CTLCOLORMSGBOX);
  if (!brush) return FALSE;
  *result = reinterpret_cast<LRESULT>(brush);
  return TRUE;
}

HBRUSH CWnd::CtlColor(CDC*, UINT) { return nullptr; }
void CWnd::OnPaint() { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnDropFiles(HDROP) { Default(); }
void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT) { Default(); }
void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT) { Default(); }

void CWnd::GetWindowText(CString& text) const {
  const int length = ::GetWindowTextLengthA(m_hWnd);
  ::GetWindowTextA(m_hWnd, text.GetBuffer(length), length + 1);
  text.ReleaseBuffer();
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
  const DWORD style = GetStyle();
  const DWORD changed = (style & ~remove) | add;
  if (changed == style) return FALSE;
  ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
  if (swpFlags)
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  return TRUE;
}

CWnd* CWnd::GetDlgItem(int id) { return ObjectOrWrapper(::GetDlgItem(m_hWnd, id)); }

CWnd* CWnd::ObjectOrWrapper(HWND child) {
  if (!child) return nullptr;
  if (CWnd* bound = FromHandlePermanent(child)) return bound;
  for (const auto& wrapper : m_wrappers)
    if (wrapper->m_hWnd == child) return wrapper.get();
  // A window handle can be reused after its window is gone; drop stale wrappers.
  for (auto it = m_wrappers.begin(); it != m_wrappers.end();) {
    it = ::IsWindow((*it)->m_hWnd) ? it + 1 : m_wrappers.erase(it);
  }
  m_wrappers.push_back(std::make_unique<CWnd>());
  m_wrappers.back()->m_hWnd = child;
  return m_wrappers.back().get();
}

int CWnd::GetDlgItemText(int id, CString& text) const {
  HWND item = ::GetDlgItem(m_hWnd, id);
  const int length = item ? ::GetWindowTextLengthA(item) : 0;
  const int copied = ::GetDlgItemTextA(m_hWnd, id, text.GetBuffer(length), length + 1);
  text.ReleaseBuffer();
  return copied;
}
