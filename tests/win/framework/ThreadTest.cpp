// AfxBeginThread: the routine runs with its parameter, its result is the
// exit code, and the thread object deletes itself when the routine returns.

#include <gtest/gtest.h>

#include "framework/Thread.h"

namespace {

struct Job {
  LPVOID seen = nullptr;
  DWORD thread = 0;
};

UINT RecordAndReturn(LPVOID param) {
  auto* job = static_cast<Job*>(param);
  job->seen = param;
  job->thread = ::GetCurrentThreadId();
  return 17;
}

// Starts suspended and returns a handle of our own to the thread's end.
HANDLE StartHolding(AFX_THREADPROC routine, LPVOID param, int priority, CWinThread** started) {
  CWinThread* thread = AfxBeginThread(routine, param, priority, 0, CREATE_SUSPENDED);
  *started = thread;
  return thread ? thread->DuplicateThreadHandle() : nullptr;
}

TEST(ThreadTest, RoutineRunsOnANewThreadWithItsParameterAndItsResultIsTheExitCode) {
  Job job;
  CWinThread* thread = nullptr;
  HANDLE end = StartHolding(&RecordAndReturn, &job, THREAD_PRIORITY_NORMAL, &thread);
  ASSERT_NE(end, nullptr);
  const DWORD id = thread->m_nThreadID;

  thread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(end, 10000), WAIT_OBJECT_0);

  DWORD exitCode = 0;
  EXPECT_TRUE(::GetExitCodeThread(end, &exitCode));
  EXPECT_EQ(exitCode, 17u);
  EXPECT_EQ(job.seen, &job);
  EXPECT_EQ(job.thread, id);
  EXPECT_NE(job.thread, ::GetCurrentThreadId());
  ::CloseHandle(end);
}

TEST(ThreadTest, SuspendedThreadHasTheRequestedPriorityBeforeItRuns) {
  Job job;
  CWinThread* thread = nullptr;
  HANDLE end = StartHolding(&RecordAndReturn, &job, THREAD_PRIORITY_BELOW_NORMAL, &thread);
  ASSERT_NE(end, nullptr);

  EXPECT_EQ(::GetThreadPriority(end), THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_EQ(job.thread, 0u);

  thread->ResumeThread();
  ::WaitForSingleObject(end, 10000);
  ::CloseHandle(end);
}

TEST(ThreadTest, ThreadObjectDeletesItselfAndClosesItsHandleWhenTheRoutineReturns) {
  Job job;
  CWinThread* thread = nullptr;
  HANDLE end = StartHolding(&RecordAndReturn, &job, THREAD_PRIORITY_NORMAL, &thread);
  ASSERT_NE(end, nullptr);
  HANDLE own = thread->m_hThread;
  DWORD flags = 0;
  ASSERT_TRUE(::GetHandleInformation(own, &flags));

  thread->ResumeThread();
  ASSERT_EQ(::WaitForSingleObject(end, 10000), WAIT_OBJECT_0);

  EXPECT_FALSE(::GetHandleInformation(own, &flags));
  ::CloseHandle(end);
}

TEST(ThreadTest, NoRoutineGivesNoThread) { EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr); }

}  // namespace
