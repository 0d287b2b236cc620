// Linux layer: the message box.
//
// Implements MessageBoxA with an OK button. The caption and text, which are
// Windows-1252, are written as UTF-8 on standard error in every case, and
// shown in a modal box, the text wrapped to lines of a readable width, when
// a display can be had.
// NOTE: every button set is shown as OK, and IDOK is returned; MB_ICONERROR
// makes an error box, other icons a plain one.
// NOTE: a request to end the process (SIGTERM, SIGINT) while a box is shown
// ends it at once, box and all, as the signal's default action would; a
// logout or a shutdown never waits on a box nobody answers.

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <string>

#include "platform/linux/internal.h"

namespace {

// The process group of the box being shown, 0 while there is none. The box
// is shown by a child process in a group of its own (SDL's box may fork
// again, into that group), because SDL turns the signals into a quit event
// that nobody reads while the box waits.
volatile sig_atomic_t boxGroup = 0;

// Ends the box's group, then the process, by the signal itself.
void EndWithTheBox(int signalNumber) {
  if (boxGroup > 0) kill(-static_cast<pid_t>(boxGroup), SIGKILL);
  struct sigaction byDefault {};
  byDefault.sa_handler = SIG_DFL;
  sigaction(signalNumber, &byDefault, nullptr);
  raise(signalNumber);
}

void ShowBox(Uint32 icon, const std::string& caption, const std::string& text,
             SDL_Window* owner) {
  // The signals wait, blocked, until the box's group is known.
  sigset_t ends, previousMask;
  sigemptyset(&ends);
  sigaddset(&ends, SIGTERM);
  sigaddset(&ends, SIGINT);
  sigprocmask(SIG_BLOCK, &ends, &previousMask);
  const pid_t parent = getpid();
  const pid_t child = fork();
  if (child == 0) {
    setpgid(0, 0);
    // Should the program die some other way, the box goes with it.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(0);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigaction(SIGTERM, &byDefault, nullptr);
    sigaction(SIGINT, &byDefault, nullptr);
    sigprocmask(SIG_SETMASK, &previousMask, nullptr);
    SDL_ShowSimpleMessageBox(icon, caption.c_str(), text.c_str(), owner);
    _exit(0);
  }
  struct sigaction ending {}, previousTerm {}, previousInt {};
  if (child > 0) {
    setpgid(child, child);
    boxGroup = child;
    ending.sa_handler = EndWithTheBox;
    sigaction(SIGTERM, &ending, &previousTerm);
    sigaction(SIGINT, &ending, &previousInt);
  }
  sigprocmask(SIG_SETMASK, &previousMask, nullptr);
  if (child < 0) {
    SDL_ShowSimpleMessageBox(icon, caption.c_str(), text.c_str(), owner);
    return;
  }
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  sigaction(SIGTERM, &previousTerm, nullptr);
  sigaction(SIGINT, &previousInt, nullptr);
  boxGroup = 0;
}

// Unicode code points of Windows-1252's bytes 0x80 to 0x9F; the bytes it
// leaves undefined keep their own value.
constexpr unsigned kHighControls[32] = {
    0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};

std::string Utf8FromWindows1252(const char* text) {
  std::string out;
  for (const char* p = text ? text : ""; *p; ++p) {
    const unsigned byte = static_cast<unsigned char>(*p);
    const unsigned code = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return out;
}

// Windows wraps a box's text to the box's width; SDL's boxes break lines
// only at line breaks. Lines are wrapped here at blanks, kLineWidth
// characters at most where the words allow.
constexpr size_t kLineWidth = 64;

// UTF-8 continuation bytes are part of the character before them.
bool StartsACharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }

std::string Wrapped(const std::string& text) {
  std::string out;
  // Characters on the line being filled, and where its last blank is in out.
  size_t length = 0;
  size_t blank = std::string::npos;
  for (const char c : text) {
    out += c;
    if (c == '\n') {
      length = 0;
      blank = std::string::npos;
      continue;
    }
    if (StartsACharacter(c)) ++length;
    if (c == ' ') blank = out.size() - 1;
    if (length > kLineWidth && blank != std::string::npos) {
      out[blank] = '\n';
      length = std::count_if(out.begin() + blank + 1, out.end(), StartsACharacter);
      blank = std::string::npos;
    }
  }
  return out;
}

}  // namespace

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  const std::string caption = Utf8FromWindows1252(lpCaption ? lpCaption : "Error");
  const std::string text = Utf8FromWindows1252(lpText);
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  std::fflush(stderr);
  SDL_Window* owner = (hWnd && IsLiveWindow(hWnd)) ? hWnd->sdl : nullptr;
  // Fails quietly where there is no display: standard error has the text.
  const Uint32 icon = (uType & MB_ICONMASK) == MB_ICONERROR ? SDL_MESSAGEBOX_ERROR : 0;
  ShowBox(icon, caption, Wrapped(text), owner);
  return IDOK;
}
