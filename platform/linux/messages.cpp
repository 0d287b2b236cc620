// Linux layer: the thread's message queue, fed by SDL events.
//
// Implements PeekMessageA, GetMessageA, TranslateMessage, DispatchMessageA,
// PostMessageA and PostQuitMessage. SDL events become Windows messages as
// they are taken from SDL: keys become WM_KEYDOWN/WM_KEYUP (WM_SYSKEYDOWN/
// WM_SYSKEYUP while Alt is held) with virtual-key codes, held keys repeat
// WM_KEYDOWN with bit 30 of lParam set; mouse buttons and motion become
// WM_xBUTTONDOWN/UP and WM_MOUSEMOVE, a finger touching the window becomes
// WM_LBUTTONDOWN at its point; a close request becomes WM_CLOSE; a
// window uncovered, shown, restored or moved to another display is
// invalidated, to be erased (a resize invalidates it too, with WM_SIZE), so
// that it gets WM_PAINT, and WM_ERASEBKGND within its BeginPaint, as on
// Windows.
// Messages come out as in Windows: posted and input messages in order, then
// WM_QUIT once one is posted, then WM_PAINT for a window with an invalid
// area, so painting never starves input.
// NOTE: window and message-range filters are not supported.
// NOTE: a touch is one WM_LBUTTONDOWN, with no WM_LBUTTONUP and no
// WM_MOUSEMOVE: SDL's mouse events made from touches are dropped, and a
// finger's lifting is not told.
// NOTE: lParam of key messages carries no hardware scan code.
// NOTE: a request to end the process (SIGINT, SIGTERM), which SDL reports
// as a quit event, closes every window with WM_CLOSE.

#include <deque>

#include "platform/linux/internal.h"

namespace {

struct QueueState {
  std::deque<MSG> posted;
  bool quitPosted = false;
  int quitCode = 0;
};
QueueState state;

MSG Make(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = SDL_GetTicks();
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  msg.pt = POINT{x, y};
  return msg;
}

WPARAM MouseKeys(Uint32 buttons) {
  WPARAM keys = 0;
  if (buttons & SDL_BUTTON_LMASK) keys |= MK_LBUTTON;
  if (buttons & SDL_BUTTON_RMASK) keys |= MK_RBUTTON;
  if (buttons & SDL_BUTTON_MMASK) keys |= MK_MBUTTON;
  const SDL_Keymod mods = SDL_GetModState();
  if (mods & KMOD_SHIFT) keys |= MK_SHIFT;
  if (mods & KMOD_CTRL) keys |= MK_CONTROL;
  return keys;
}

void TranslateKey(const SDL_KeyboardEvent& key) {
  HWND hWnd = WindowFromSdlId(key.windowID);
  const UINT vk = VirtualKeyFromSdl(key.keysym);
  if (!hWnd || vk == 0) return;
  const bool down = key.type == SDL_KEYDOWN;
  const bool system = (key.keysym.mod & KMOD_ALT) || vk == VK_MENU;
  UINT message = down ? WM_KEYDOWN : WM_KEYUP;
  if (system) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
  // Repeat count 1; bit 30: the key was down before; bit 31: it is going up.
  LPARAM lParam = 1;
  if (key.repeat || !down) lParam |= LPARAM(1) << 30;
  if (!down) lParam |= LPARAM(1) << 31;
  PostToQueue(hWnd, message, vk, lParam);
}

void TranslateButton(const SDL_MouseButtonEvent& button) {
  HWND hWnd = WindowFromSdlId(button.windowID);
  // The touch itself is told once, as the finger's.
  if (!hWnd || button.which == SDL_TOUCH_MOUSEID) return;
  const bool down = button.type == SDL_MOUSEBUTTONDOWN;
  UINT message;
  switch (button.button) {
    case SDL_BUTTON_LEFT:
      message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      break;
    case SDL_BUTTON_RIGHT:
      message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      break;
    case SDL_BUTTON_MIDDLE:
      message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
      break;
    default:
      return;
  }
  PostToQueue(hWnd, message, MouseKeys(SDL_GetMouseState(nullptr, nullptr)),
              MAKELPARAM(button.x, button.y));
}

void TranslateFinger(const SDL_TouchFingerEvent& finger) {
  HWND hWnd = WindowFromSdlId(finger.windowID);
  if (!hWnd) return;
  // The finger's point is a fraction of the window's size.
  int width = 0;
  int height = 0;
  SDL_GetWindowSize(hWnd->sdl, &width, &height);
  const int x = static_cast<int>(finger.x * width);
  const int y = static_cast<int>(finger.y * height);
  PostToQueue(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

void TranslateWindowEvent(const SDL_WindowEvent& event) {
  HWND hWnd = WindowFromSdlId(event.windowID);
  if (!hWnd) return;
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      PostToQueue(hWnd, WM_CLOSE, 0, 0);
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      ClientResized(hWnd, event.data1, event.data2);
      break;
    // What Windows repaints a window for: its picture was uncovered, shown
    // again, or moved to another display.
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_DISPLAY_CHANGED:
      InvalidateRect(hWnd, nullptr, TRUE);
      break;
    default:
      break;
  }
}

void Translate(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      TranslateButton(event.button);
      break;
    case SDL_FINGERDOWN:
      TranslateFinger(event.tfinger);
      break;
    case SDL_MOUSEMOTION:
      if (event.motion.which == SDL_TOUCH_MOUSEID) break;
      if (HWND hWnd = WindowFromSdlId(event.motion.windowID)) {
        PostToQueue(hWnd, WM_MOUSEMOVE, MouseKeys(event.motion.state),
                    MAKELPARAM(event.motion.x, event.motion.y));
      }
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(event.window);
      break;
    case SDL_QUIT:
      for (HWND hWnd : LiveWindows()) PostToQueue(hWnd, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

// Moves every pending SDL event into the queue as messages.
void Pump() {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) Translate(event);
}

// The next message by Windows' order, taken off the queue when remove is set.
bool Next(MSG* msg, bool remove) {
  Pump();
  if (!state.posted.empty()) {
    *msg = state.posted.front();
    if (remove) state.posted.pop_front();
    return true;
  }
  if (state.quitPosted) {
    *msg = Make(nullptr, WM_QUIT, static_cast<WPARAM>(state.quitCode), 0);
    if (remove) state.quitPosted = false;
    return true;
  }
  if (HWND hWnd = FirstInvalidWindow()) {
    *msg = Make(hWnd, WM_PAINT, 0, 0);
    return true;
  }
  return false;
}

}  // namespace

void PostToQueue(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  state.posted.push_back(Make(hWnd, message, wParam, lParam));
}

BOOL WINAPI PeekMessageA(MSG* lpMsg, HWND, UINT, UINT, UINT wRemoveMsg) {
  MSG msg;
  if (!Next(&msg, (wRemoveMsg & PM_REMOVE) != 0)) return FALSE;
  if (lpMsg) *lpMsg = msg;
  return TRUE;
}

BOOL WINAPI GetMessageA(MSG* lpMsg, HWND, UINT, UINT) {
  MSG msg;
  while (!Next(&msg, true)) {
    if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_WaitEvent(nullptr) == 0) {
      // Nothing can ever arrive: without this the thread would wait forever.
      SetLastErrorText(ERROR_INVALID_PARAMETER, "the queue is empty and no display is open");
      return -1;
    }
  }
  if (lpMsg) *lpMsg = msg;
  return msg.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
  if (!lpMsg) return FALSE;
  const UINT m = lpMsg->message;
  return (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP) ? TRUE : FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
  if (!lpMsg || !lpMsg->hwnd) return 0;
  return SendMessageA(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
  if (hWnd && !IsLiveWindow(hWnd)) return FALSE;
  PostToQueue(hWnd, Msg, wParam, lParam);
  return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
  state.quitPosted = true;
  state.quitCode = nExitCode;
}
