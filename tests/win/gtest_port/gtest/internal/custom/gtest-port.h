// GoogleTest's hook for a port of its own, found before its stock one. The MinGW runtime here
// (win32 threads) has no std::mutex or std::condition_variable, which GoogleTest's Notification
// is built on; this one waits on a Windows event instead.
#pragma once

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing::internal {

// Lets a controller thread hold newly created threads until it notifies them.
class Notification {
 public:
  Notification() : event_(::CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~Notification() { ::CloseHandle(event_); }
  Notification(const Notification&) = delete;
  Notification& operator=(const Notification&) = delete;

  void Notify() { ::SetEvent(event_); }
  void WaitForNotification() { ::WaitForSingleObject(event_, INFINITE); }

 private:
  HANDLE event_;
};

}  // namespace testing::internal
