#pragma once
// What the user hears while a command runs: each refused input on stderr with
// its reason, and, on a terminal only, one line of progress once the work has
// taken longer than a second.

#include <chrono>
#include <cstddef>
#include <string>

class Outcome {
 public:
  // A listing on the same terminal as the progress line would be torn by it.
  enum class Progress { OnATerminal, UnlessStdoutIsATerminal };
  explicit Outcome(Progress progress = Progress::OnATerminal);
  ~Outcome();
  Outcome(const Outcome&) = delete;
  Outcome& operator=(const Outcome&) = delete;

  void Refused(const std::string& path, const std::string& reason);
  void FileDone(size_t groups);
  bool AnyRefused() const { return m_refused; }
  // 0 when every input was read, 1 when any was refused.
  int ExitStatus() const { return m_refused ? 1 : 0; }

 private:
  void ClearProgress();

  using Clock = std::chrono::steady_clock;
  const bool m_showsProgress;
  const Clock::time_point m_start = Clock::now();
  Clock::time_point m_lastShown;
  bool m_progressShown = false;
  bool m_refused = false;
  size_t m_files = 0;
  size_t m_groups = 0;
};
