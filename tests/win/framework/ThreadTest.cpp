// AfxBeginThread: the routine runs with its parameter, its result is the
// exit code, and the thread object deletes itself when the routine returns.

#include <gtest/gtest.h>

#include "framework/Thread.h"

namespace {

UINT RecordThread(LPVOID thread) {
  *static_cast<DWORD*>(thread) = ::GetCurrentThreadId();
  return 17;
}

TEST(ThreadTest, RoutineRunsWithItsParameterGivesTheExitCodeAndTheObjectDeletesItself) {
  DWORD ran = 0;
  CWinThread* thread = AfxBeginThread(&RecordThread, &ran, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
  ASSERT_NE(thread, nullptr);
  HANDLE end = thread->DuplicateThreadHandle();  // ours, to wait past the object's end
  HANDLE own = thread->m_hThread;
  DWORD flags = 0;
  ASSERT_TRUE(::GetHandleInformation(own, &flags));
  thread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(end, 10000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeThread(end, &exitCode));
  EXPECT_EQ(exitCode, 17u);
  EXPECT_NE(ran, 0u);
  EXPECT_FALSE(::GetHandleInformation(own, &flags));  // closed by the object as it deleted itself
  ::CloseHandle(end);
}

}  // namespace
