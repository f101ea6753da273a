// The message queues of the threads, the message clock, timers, and the
// send, post and pump functions.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>

#include "platform/core/Charset.h"
#include "platform/ui/Host.h"
#include "platform/ui/MessageApi.h"
#include "platform/ui/WindowApi.h"
#include "platform/ui/WindowSystem.h"

namespace platform {
namespace {

struct Timer {
  HWND hwnd;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  DWORD due;
};

struct ThreadQueue {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<MSG> posted;
  bool quit = false;
  int quitCode = 0;
  std::vector<Timer> timers;
  DWORD lastMessageTime = 0;
};

struct Queues {
  std::mutex mutex;
  std::map<DWORD, std::shared_ptr<ThreadQueue>> byThread;
};

Queues& AllQueues() {
  static Queues queues;
  return queues;
}

std::shared_ptr<ThreadQueue> QueueOf(DWORD threadId, bool create) {
  Queues& q = AllQueues();
  std::lock_guard lock(q.mutex);
  auto it = q.byThread.find(threadId);
  if (it != q.byThread.end()) return it->second;
  if (!create) return nullptr;
  auto queue = std::make_shared<ThreadQueue>();
  q.byThread.emplace(threadId, queue);
  return queue;
}

ThreadQueue& MyQueue() {
  thread_local std::shared_ptr<ThreadQueue> mine = QueueOf(GetCurrentThreadId(), true);
  return *mine;
}

void WakeAll() {
  Queues& q = AllQueues();
  std::lock_guard lock(q.mutex);
  for (auto& [id, queue] : q.byThread) {
    std::lock_guard qlock(queue->mutex);
    queue->wake.notify_all();
  }
}

// The message clock.
struct Clock {
  std::atomic<bool> manual{false};
  std::atomic<DWORD> manualNow{0};
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

Clock& TheClock() {
  static Clock clock;
  return clock;
}

std::atomic<UINT_PTR> nextThreadTimerId{0x7F00};

bool TimeReached(DWORD now, DWORD due) { return static_cast<int32_t>(now - due) >= 0; }

bool MatchesFilter(const MSG& m, HWND hwnd, UINT minMsg, UINT maxMsg) {
  if (minMsg != 0 || maxMsg != 0) {
    if (m.message != WM_QUIT && (m.message < minMsg || m.message > maxMsg)) return false;
  }
  if (hwnd == reinterpret_cast<HWND>(static_cast<intptr_t>(-1))) return m.hwnd == nullptr;
  if (hwnd) return m.hwnd == hwnd || IsChild(hwnd, m.hwnd);
  return true;
}

bool InRange(UINT message, UINT minMsg, UINT maxMsg) {
  return (minMsg == 0 && maxMsg == 0) || (message >= minMsg && message <= maxMsg);
}

// A window of this thread that needs painting.
HWND WindowToPaint(HWND filter) {
  for (HWND h : ThreadWindows(GetCurrentThreadId())) {
    WindowRecord* w = FindWindowRecord(h);
    // A window with redrawing turned off (WM_SETREDRAW) keeps its update
    // region until it is turned on and painted.
    if (!w || !w->redraw || (w->update.IsEmpty() && !w->internalPaint) || !IsWindowVisible(h)) continue;
    if (filter && filter != reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) && h != filter && !IsChild(filter, h))
      continue;
    return h;
  }
  return nullptr;
}

bool TakeMessage(ThreadQueue& q, MSG* msg, HWND hwnd, UINT minMsg, UINT maxMsg, bool remove) {
  DWORD now = MessageClockNow();
  POINT pt;
  GetCursorPos(&pt);
  {
    std::lock_guard lock(q.mutex);
    for (auto it = q.posted.begin(); it != q.posted.end(); ++it) {
      if (!MatchesFilter(*it, hwnd, minMsg, maxMsg)) continue;
      *msg = *it;
      if (remove) q.posted.erase(it);
      q.lastMessageTime = msg->time;
      return true;
    }
    if (q.quit && InRange(WM_QUIT, minMsg, maxMsg)) {
      *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, now, pt};
      if (remove) q.quit = false;
      return true;
    }
  }
  if (InRange(WM_PAINT, minMsg, maxMsg)) {
    if (HWND h = WindowToPaint(hwnd)) {
      *msg = MSG{h, WM_PAINT, 0, 0, now, pt};
      return true;
    }
  }
  if (InRange(WM_TIMER, minMsg, maxMsg)) {
    std::lock_guard lock(q.mutex);
    Timer* best = nullptr;
    for (Timer& t : q.timers) {
      if (!TimeReached(now, t.due)) continue;
      if (hwnd == reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) && t.hwnd) continue;
      if (hwnd && hwnd != reinterpret_cast<HWND>(static_cast<intptr_t>(-1)) && t.hwnd != hwnd) continue;
      if (!best || static_cast<int32_t>(t.due - best->due) < 0) best = &t;
    }
    if (best) {
      *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), now, pt};
      if (remove) best->due = now + best->elapse;
      q.lastMessageTime = now;
      return true;
    }
  }
  return false;
}

// How long GetMessage may sleep before a timer of the system clock falls due.
std::chrono::milliseconds TimeToNextTimer(ThreadQueue& q) {
  DWORD now = MessageClockNow();
  int32_t best = 60000;
  for (const Timer& t : q.timers) best = std::min(best, std::max<int32_t>(0, static_cast<int32_t>(t.due - now)));
  return std::chrono::milliseconds(best);
}

bool IsTextMessage(HWND hwnd, UINT message) {
  switch (message) {
    case WM_SETTEXT:
    case EM_REPLACESEL:
      return true;
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
    case LB_SELECTSTRING: {
      // Owner-drawn lists without strings carry item data, not text.
      LONG style = GetWindowLongW(hwnd, GWL_STYLE);
      bool combo = message < LB_ADDSTRING;
      bool ownerDraw = combo ? (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0
                             : (style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
      bool hasStrings = combo ? (style & CBS_HASSTRINGS) != 0 : (style & LBS_HASSTRINGS) != 0;
      return !ownerDraw || hasStrings;
    }
    default:
      return false;
  }
}

// Copies GBK text into a caller's buffer of `size` bytes, never splitting a
// double-byte character; returns the bytes copied (without the zero).
int CopyAnsi(const std::string& text, LPSTR buffer, size_t size) {
  if (!buffer || size == 0) return 0;
  size_t n = 0;
  while (n < text.size()) {
    size_t len = (IsGbkLeadByte(static_cast<unsigned char>(text[n])) && n + 1 < text.size()) ? 2 : 1;
    if (n + len > size - 1) break;
    n += len;
  }
  std::copy_n(text.data(), n, buffer);
  buffer[n] = 0;
  return static_cast<int>(n);
}

}  // namespace

DWORD MessageClockNow() {
  Clock& c = TheClock();
  if (c.manual) return c.manualNow;
  auto elapsed = std::chrono::steady_clock::now() - c.start;
  return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void UseManualClock(DWORD start) {
  TheClock().manualNow = start;
  TheClock().manual = true;
  WakeAll();
}

void UseSystemClock() {
  TheClock().manual = false;
  WakeAll();
}

void AdvanceClock(DWORD milliseconds) {
  Clock& c = TheClock();
  if (!c.manual) return;
  c.manualNow = c.manualNow + milliseconds;
  WakeAll();
}

DWORD ClockNow() { return MessageClockNow(); }

void ForgetWindowMessages(HWND hwnd) {
  WindowRecord* w = FindWindowRecord(hwnd);
  DWORD thread = w ? w->threadId : GetCurrentThreadId();
  auto q = QueueOf(thread, false);
  if (!q) return;
  std::lock_guard lock(q->mutex);
  q->posted.erase(std::remove_if(q->posted.begin(), q->posted.end(), [&](const MSG& m) { return m.hwnd == hwnd; }),
                  q->posted.end());
  q->timers.erase(std::remove_if(q->timers.begin(), q->timers.end(), [&](const Timer& t) { return t.hwnd == hwnd; }),
                  q->timers.end());
}

}  // namespace platform

using platform::FindWindowRecord;
using platform::WindowRecord;

DWORD GetCurrentThreadId() {
  static std::atomic<DWORD> next{0x1000};
  thread_local DWORD id = next.fetch_add(4);
  return id;
}

DWORD GetTickCount() { return platform::MessageClockNow(); }

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w || !w->proc) return 0;
  return w->proc(hwnd, message, wParam, lParam);
}

LRESULT SendMessageA(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hwnd)) return 0;
  if (platform::IsTextMessage(hwnd, message)) {
    std::u16string wide = platform::WideFromAnsi(reinterpret_cast<LPCSTR>(lParam));
    return SendMessageW(hwnd, message, wParam, lParam ? reinterpret_cast<LPARAM>(wide.c_str()) : 0);
  }
  switch (message) {
    case WM_GETTEXT: {
      int length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
      std::u16string wide(static_cast<size_t>(length) + 1, u'\0');
      int got = static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data())));
      wide.resize(static_cast<size_t>(std::max(got, 0)));
      return platform::CopyAnsi(platform::Utf16ToGbk(wide), reinterpret_cast<LPSTR>(lParam), wParam);
    }
    case WM_GETTEXTLENGTH: {
      int length = static_cast<int>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0));
      std::u16string wide(static_cast<size_t>(length) + 1, u'\0');
      int got = static_cast<int>(SendMessageW(hwnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data())));
      wide.resize(static_cast<size_t>(std::max(got, 0)));
      return static_cast<LRESULT>(platform::Utf16ToGbk(wide).size());
    }
    case CB_GETLBTEXT:
    case LB_GETTEXT: {
      UINT lenMessage = message == CB_GETLBTEXT ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
      LRESULT length = SendMessageW(hwnd, lenMessage, wParam, 0);
      if (length < 0) return length;
      if (!platform::IsTextMessage(hwnd, message == CB_GETLBTEXT ? CB_ADDSTRING : LB_ADDSTRING))
        return SendMessageW(hwnd, message, wParam, lParam);  // item data of an owner-drawn list
      std::u16string wide(static_cast<size_t>(length) + 1, u'\0');
      SendMessageW(hwnd, message, wParam, reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(static_cast<size_t>(length));
      std::string ansi = platform::Utf16ToGbk(wide);
      // The caller sized the buffer from the ...TEXTLEN of the A form.
      return platform::CopyAnsi(ansi, reinterpret_cast<LPSTR>(lParam), ansi.size() + 1);
    }
    case CB_GETLBTEXTLEN:
    case LB_GETTEXTLEN: {
      LRESULT length = SendMessageW(hwnd, message, wParam, 0);
      if (length < 0) return length;
      if (!platform::IsTextMessage(hwnd, message == CB_GETLBTEXTLEN ? CB_ADDSTRING : LB_ADDSTRING)) return length;
      std::u16string wide(static_cast<size_t>(length) + 1, u'\0');
      SendMessageW(hwnd, message == CB_GETLBTEXTLEN ? CB_GETLBTEXT : LB_GETTEXT, wParam,
                   reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(static_cast<size_t>(length));
      return static_cast<LRESULT>(platform::Utf16ToGbk(wide).size());
    }
    case EM_GETLINE: {
      LPSTR buffer = reinterpret_cast<LPSTR>(lParam);
      if (!buffer) return 0;
      WORD size = 0;
      std::memcpy(&size, buffer, sizeof(WORD));
      std::u16string wide(static_cast<size_t>(size) + 2, u'\0');
      std::memcpy(wide.data(), &size, sizeof(WORD));
      LRESULT got = SendMessageW(hwnd, EM_GETLINE, wParam, reinterpret_cast<LPARAM>(wide.data()));
      wide.resize(static_cast<size_t>(std::max<LRESULT>(got, 0)));
      std::string ansi = platform::Utf16ToGbk(wide);
      // Whole characters only; EM_GETLINE adds no terminating zero.
      size_t n = 0;
      while (n < ansi.size()) {
        size_t len = (platform::IsGbkLeadByte(static_cast<unsigned char>(ansi[n])) && n + 1 < ansi.size()) ? 2 : 1;
        if (n + len > size) break;
        n += len;
      }
      std::copy_n(ansi.data(), n, buffer);
      return static_cast<LRESULT>(n);
    }
    default:
      return SendMessageW(hwnd, message, wParam, lParam);
  }
}

BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  auto q = platform::QueueOf(threadId, threadId == GetCurrentThreadId());
  if (!q) return FALSE;
  POINT pt;
  GetCursorPos(&pt);
  std::lock_guard lock(q->mutex);
  q->posted.push_back(MSG{nullptr, message, wParam, lParam, platform::MessageClockNow(), pt});
  q->wake.notify_all();
  return TRUE;
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!hwnd) return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
  WindowRecord* w = FindWindowRecord(hwnd);
  if (!w) return FALSE;
  auto q = platform::QueueOf(w->threadId, true);
  POINT pt;
  GetCursorPos(&pt);
  std::lock_guard lock(q->mutex);
  q->posted.push_back(MSG{hwnd, message, wParam, lParam, platform::MessageClockNow(), pt});
  q->wake.notify_all();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  platform::ThreadQueue& q = platform::MyQueue();
  std::lock_guard lock(q.mutex);
  q.quit = true;
  q.quitCode = exitCode;
  q.wake.notify_all();
}

BOOL PeekMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) return FALSE;
  return platform::TakeMessage(platform::MyQueue(), msg, hwnd, filterMin, filterMax, (removeFlags & PM_REMOVE) != 0);
}

BOOL GetMessageW(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) return -1;
  platform::ThreadQueue& q = platform::MyQueue();
  for (;;) {
    if (platform::TakeMessage(q, msg, hwnd, filterMin, filterMax, true)) return msg->message != WM_QUIT;
    std::unique_lock lock(q.mutex);
    if (!q.posted.empty() || q.quit) continue;
    if (platform::TheClock().manual)
      q.wake.wait(lock);
    else
      q.wake.wait_for(lock, platform::TimeToNextTimer(q));
  }
}

BOOL WaitMessage() {
  platform::ThreadQueue& q = platform::MyQueue();
  MSG m;
  if (platform::TakeMessage(q, &m, nullptr, 0, 0, false)) return TRUE;
  std::unique_lock lock(q.mutex);
  if (q.posted.empty() && !q.quit) {
    if (platform::TheClock().manual)
      q.wake.wait(lock);
    else
      q.wake.wait_for(lock, platform::TimeToNextTimer(q));
  }
  return TRUE;
}

DWORD GetMessageTime() { return platform::MyQueue().lastMessageTime; }

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
  UINT vk = static_cast<UINT>(msg->wParam);
  bool shift = GetKeyState(VK_SHIFT) < 0;
  bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
  WCHAR ch = 0;
  if (vk >= 'A' && vk <= 'Z') {
    bool upper = shift != caps;
    ch = static_cast<WCHAR>(upper ? vk : vk + 32);
    if (GetKeyState(VK_CONTROL) < 0) ch = static_cast<WCHAR>(vk - 'A' + 1);
  } else if (vk >= '0' && vk <= '9') {
    static const char shifted[] = ")!@#$%^&*(";
    ch = static_cast<WCHAR>(shift ? shifted[vk - '0'] : vk);
  } else if (vk == VK_SPACE || vk == VK_RETURN || vk == VK_TAB || vk == VK_BACK || vk == VK_ESCAPE) {
    ch = static_cast<WCHAR>(vk);
  } else if (vk == VK_OEM_MINUS) {
    ch = shift ? u'_' : u'-';
  } else if (vk >= 0x60 && vk <= 0x69) {  // numeric keypad digits
    ch = static_cast<WCHAR>(u'0' + (vk - 0x60));
  }
  if (!ch) return FALSE;
  UINT charMessage = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
  if (msg->hwnd) return PostMessageW(msg->hwnd, charMessage, ch, msg->lParam);
  return PostThreadMessageW(GetCurrentThreadId(), charMessage, ch, msg->lParam);
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if (msg->message == WM_TIMER && msg->lParam) {
    // A timer procedure runs only for a timer that still exists with it.
    platform::ThreadQueue& q = platform::MyQueue();
    TIMERPROC proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    bool known = false;
    {
      std::lock_guard lock(q.mutex);
      for (const platform::Timer& t : q.timers)
        if (t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc) known = true;
    }
    if (known) proc(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  return SendMessageW(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (hwnd && !IsWindow(hwnd)) return 0;
  if (elapse < USER_TIMER_MINIMUM) elapse = USER_TIMER_MINIMUM;
  if (elapse > USER_TIMER_MAXIMUM) elapse = USER_TIMER_MAXIMUM;
  DWORD thread = GetCurrentThreadId();
  if (hwnd) thread = FindWindowRecord(hwnd)->threadId;
  auto q = platform::QueueOf(thread, true);
  std::lock_guard lock(q->mutex);
  DWORD due = platform::MessageClockNow() + elapse;
  if (hwnd) {
    for (platform::Timer& t : q->timers) {
      if (t.hwnd == hwnd && t.id == id) {
        t = platform::Timer{hwnd, id, elapse, proc, due};
        return id ? id : 1;
      }
    }
    q->timers.push_back(platform::Timer{hwnd, id, elapse, proc, due});
    return id ? id : 1;
  }
  // A thread timer: an existing id replaces that timer, otherwise a new id.
  for (platform::Timer& t : q->timers) {
    if (!t.hwnd && t.id == id && id != 0) {
      t = platform::Timer{nullptr, id, elapse, proc, due};
      return id;
    }
  }
  UINT_PTR newId = platform::nextThreadTimerId.fetch_add(1);
  q->timers.push_back(platform::Timer{nullptr, newId, elapse, proc, due});
  return newId;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  DWORD thread = GetCurrentThreadId();
  if (hwnd) {
    WindowRecord* w = FindWindowRecord(hwnd);
    if (!w) return FALSE;
    thread = w->threadId;
  }
  auto q = platform::QueueOf(thread, false);
  if (!q) return FALSE;
  std::lock_guard lock(q->mutex);
  auto it = std::find_if(q->timers.begin(), q->timers.end(),
                         [&](const platform::Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == q->timers.end()) return FALSE;
  q->timers.erase(it);
  // A WM_TIMER already generated stays valid; nothing is queued for timers.
  return TRUE;
}
