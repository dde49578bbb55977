#include "framework/Thread.h"

#include <process.h>

#include <new>

CWinThread::~CWinThread() {
  if (m_hThread) ::CloseHandle(m_hThread);
}

HANDLE CWinThread::DuplicateThreadHandle() const {
  HANDLE copy = nullptr;
  ::DuplicateHandle(::GetCurrentProcess(), m_hThread, ::GetCurrentProcess(), &copy, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
  return copy;
}

unsigned __stdcall CWinThread::Run(void* self) {
  auto* thread = static_cast<CWinThread*>(self);
  const UINT result = thread->m_routine(thread->m_param);
  delete thread;
  return result;
}

CWinThread* AfxBeginThread(AFX_THREADPROC routine, LPVOID param, int priority, UINT stackSize,
                           DWORD createFlags, LPSECURITY_ATTRIBUTES security) {
  if (!routine) return nullptr;
  auto* thread = new (std::nothrow) CWinThread(routine, param);
  if (!thread) return nullptr;
  unsigned id = 0;
  // Always suspended at first, so the object is complete before the routine
  // can end and delete it.
  const uintptr_t handle =
      ::_beginthreadex(security, stackSize, &CWinThread::Run, thread, CREATE_SUSPENDED, &id);
  if (!handle) {
    delete thread;
    return nullptr;
  }
  thread->m_hThread = reinterpret_cast<HANDLE>(handle);
  thread->m_nThreadID = id;
  ::SetThreadPriority(thread->m_hThread, priority);
  if (!(createFlags & CREATE_SUSPENDED)) ::ResumeThread(thread->m_hThread);
  return thread;
}
