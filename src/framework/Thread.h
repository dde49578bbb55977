#pragma once
// Worker threads. AfxBeginThread starts routine(param) on a new thread and
// returns its CWinThread, or null when the thread could not be started.
//
// The CWinThread deletes itself, closing its handle, as soon as the routine
// returns, so the returned pointer is only good for a null test unless the
// thread was created with CREATE_SUSPENDED: then it stays valid until
// ResumeThread lets the routine run. A caller that must wait for the end
// (or read the exit code, the routine's result) takes its own handle first:
//
//   CWinThread* t = AfxBeginThread(Work, job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
//   HANDLE end = t ? t->DuplicateThreadHandle() : nullptr;
//   if (t) t->ResumeThread();     // from here on, t may be gone
//   ... WaitForSingleObject / MsgWaitForMultipleObjects on end ...
//   CloseHandle(end);

#include <windows.h>

#include "framework/Object.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread;
CWinThread* AfxBeginThread(AFX_THREADPROC routine, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0,
                           LPSECURITY_ATTRIBUTES security = nullptr);

class CWinThread : public CObject {
 public:
  CWinThread(const CWinThread&) = delete;
  CWinThread& operator=(const CWinThread&) = delete;

  HANDLE m_hThread = nullptr;
  DWORD m_nThreadID = 0;

  // A new handle to the thread, with the same access, closed by the caller.
  HANDLE DuplicateThreadHandle() const;
  DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
  BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
  int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }

 private:
  friend CWinThread* AfxBeginThread(AFX_THREADPROC, LPVOID, int, UINT, DWORD, LPSECURITY_ATTRIBUTES);
  CWinThread(AFX_THREADPROC routine, LPVOID param) : m_routine(routine), m_param(param) {}
  ~CWinThread() override;
  static unsigned __stdcall Run(void* self);

  AFX_THREADPROC m_routine;
  LPVOID m_param;
};
