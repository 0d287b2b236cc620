// User-interface services of the Linux layer, declared as in Windows:
// window classes and windows, the message queue, painting, the display
// mode, the cursor, the message box and key codes.
#pragma once

#include "platform/linux/windef.h"
#include "platform/linux/wingdi.h"

// Windows declares its API with C linkage; so does the layer.
extern "C" {

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

// --- Window classes -----------------------------------------------------

typedef struct tagWNDCLASSEXA {
  UINT cbSize;
  UINT style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  LPCSTR lpszMenuName;
  LPCSTR lpszClassName;
  HICON hIconSm;
} WNDCLASSEXA;

#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_OWNDC 0x0020
#define COLOR_WINDOW 5

// Registers a class by name (matched without regard to case); returns a
// non-zero atom, or 0 when the class exists or the display cannot be opened.
WORD WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx);

#define IDI_APPLICATION MAKEINTRESOURCEA(32512)
#define IDC_ARROW MAKEINTRESOURCEA(32512)
// NOTE: only the system's own icon and cursor (hInstance NULL) are known;
// they serve as class settings and are not drawn by the layer.
HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName);
HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);

// --- Windows ------------------------------------------------------------

#define WS_OVERLAPPED 0x00000000L
#define WS_POPUP 0x80000000L
#define WS_VISIBLE 0x10000000L
#define WS_CLIPSIBLINGS 0x04000000L
#define WS_CLIPCHILDREN 0x02000000L
#define WS_CAPTION 0x00C00000L
#define WS_SYSMENU 0x00080000L
#define WS_THICKFRAME 0x00040000L
#define WS_MINIMIZEBOX 0x00020000L
#define WS_MAXIMIZEBOX 0x00010000L
#define WS_OVERLAPPEDWINDOW \
  (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_EX_APPWINDOW 0x00040000L
#define CW_USEDEFAULT ((int)0x80000000)

typedef struct tagCREATESTRUCTA {
  LPVOID lpCreateParams;
  HINSTANCE hInstance;
  HMENU hMenu;
  HWND hwndParent;
  int cy;
  int cx;
  int y;
  int x;
  LONG style;
  LPCSTR lpszName;
  LPCSTR lpszClass;
  DWORD dwExStyle;
} CREATESTRUCTA;

// Creates a hidden window and sends it WM_CREATE (lParam a CREATESTRUCTA*)
// before returning. Returns NULL, with the reason in the last error, when the
// class is unknown, the display gives no window, or WM_CREATE returns -1.
// NOTE: a WS_POPUP window that covers a whole screen is shown as the
// desktop's full-screen window there, above its panels.
HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam);

#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define SW_SHOWDEFAULT 10
// Shows or hides the window; the first show sends WM_SIZE with the client
// size. Returns whether the window was visible before.
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow);
// Sends WM_PAINT straight to the window procedure when the window has an
// invalid area.
BOOL WINAPI UpdateWindow(HWND hWnd);
// Sends WM_DESTROY and forgets the window.
BOOL WINAPI DestroyWindow(HWND hWnd);
BOOL WINAPI GetClientRect(HWND hWnd, RECT* lpRect);
// The default handling: WM_CLOSE destroys the window; Alt+F4 closes it.
LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// --- Messages -----------------------------------------------------------

typedef struct tagMSG {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  DWORD time;
  POINT pt;
} MSG;

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_SIZE 0x0005
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_ERASEBKGND 0x0014
#define WM_QUIT 0x0012
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCOMMAND 0x0112
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define SC_CLOSE 0xF060
#define SIZE_RESTORED 0

#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Whether a message waits for the thread: posted and input messages, then the
// quit, then a paint for a window with an invalid area.
// NOTE: window and message-range filters are not supported (pass NULL, 0, 0).
BOOL WINAPI PeekMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// Waits for a message and takes it; returns 0 for WM_QUIT.
BOOL WINAPI GetMessageA(MSG* lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// NOTE: produces no WM_CHAR; returns whether the message was a key message.
BOOL WINAPI TranslateMessage(const MSG* lpMsg);
// Calls the window procedure of lpMsg->hwnd and returns its result.
LRESULT WINAPI DispatchMessageA(const MSG* lpMsg);
BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// Calls the window procedure at once and returns its result.
LRESULT WINAPI SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
void WINAPI PostQuitMessage(int nExitCode);

// --- Painting -----------------------------------------------------------

typedef struct tagPAINTSTRUCT {
  HDC hdc;
  BOOL fErase;
  RECT rcPaint;
  BOOL fRestore;
  BOOL fIncUpdate;
  BYTE rgbReserved[32];
} PAINTSTRUCT;

// Marks the client area invalid, so that WM_PAINT comes when nothing else
// waits, and to be erased too when bErase. NOTE: the whole client area is
// always invalidated.
BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase);
// Validates the window and gives its device context; first sends
// WM_ERASEBKGND when the invalid area is to be erased.
HDC WINAPI BeginPaint(HWND hWnd, PAINTSTRUCT* lpPaint);
BOOL WINAPI EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
// The window's own device context (every window has one, as with CS_OWNDC).
HDC WINAPI GetDC(HWND hWnd);

// --- Screens ------------------------------------------------------------

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CMONITORS 80
// SM_CXSCREEN and SM_CYSCREEN: the width and height of the primary screen in
// its current mode, in pixels; SM_CMONITORS: the number of screens that
// windows can be shown on. 0 when no display can be opened.
// NOTE: no other metric is supported (0 with ERROR_NOT_SUPPORTED).
int WINAPI GetSystemMetrics(int nIndex);

// --- Cursor -------------------------------------------------------------

// Raises or lowers the display counter; the cursor shows while it is >= 0.
int WINAPI ShowCursor(BOOL bShow);

// --- Message box --------------------------------------------------------

#define MB_OK 0x00000000L
#define MB_ICONERROR 0x00000010L
#define MB_ICONMASK 0x000000F0L
#define IDOK 1
// Writes "caption: text" on standard error, then shows a modal box when a
// display can be had. The texts are Windows-1252. Returns IDOK.
// NOTE: the box has an OK button whatever the buttons asked for; of the
// icons, MB_ICONERROR is shown as an error box, the others as a plain box.
// NOTE: SIGTERM or SIGINT while the box is shown ends the process, box and
// all.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
// Plays the default alert sound asynchronously and returns TRUE.
// NOTE: every uType plays the same built-in chime, which replaces a sound
// that PlaySoundA started.
BOOL WINAPI MessageBeep(UINT uType);

// --- Keys ---------------------------------------------------------------

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_PAUSE 0x13
#define VK_CAPITAL 0x14
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_LWIN 0x5B
#define VK_RWIN 0x5C
#define VK_APPS 0x5D
#define VK_NUMPAD0 0x60
#define VK_NUMPAD9 0x69
#define VK_MULTIPLY 0x6A
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_DECIMAL 0x6E
#define VK_DIVIDE 0x6F
#define VK_F1 0x70
#define VK_F4 0x73
#define VK_F12 0x7B
#define VK_NUMLOCK 0x90
#define VK_SCROLL 0x91
#define VK_OEM_1 0xBA
#define VK_OEM_PLUS 0xBB
#define VK_OEM_COMMA 0xBC
#define VK_OEM_MINUS 0xBD
#define VK_OEM_PERIOD 0xBE
#define VK_OEM_2 0xBF
#define VK_OEM_3 0xC0
#define VK_OEM_4 0xDB
#define VK_OEM_5 0xDC
#define VK_OEM_6 0xDD
#define VK_OEM_7 0xDE
#define VK_OEM_102 0xE2

#define MAPVK_VK_TO_CHAR 2
// With MAPVK_VK_TO_CHAR: the unshifted character of a virtual key (letters in
// upper case), 0 for a key without one.
// NOTE: only MAPVK_VK_TO_CHAR, and the US keyboard layout whatever dwhkl.
UINT WINAPI MapVirtualKeyExA(UINT uCode, UINT uMapType, HKL dwhkl);

}  // extern "C"
