#include "cli/Outcome.h"

#include <cstdio>

#include "cli/MessageText.h"

#ifdef _WIN32
#include <io.h>
#define VANTREL_ISATTY _isatty
#else
#include <unistd.h>
#define VANTREL_ISATTY isatty
#endif

namespace {

constexpr auto kQuietWork = std::chrono::seconds(1);
constexpr auto kProgressEvery = std::chrono::milliseconds(100);

}  // namespace

Outcome::Outcome(Progress progress)
    : m_showsProgress(VANTREL_ISATTY(2) != 0 && (progress == Progress::OnATerminal || VANTREL_ISATTY(1) == 0)) {}

Outcome::~Outcome() { ClearProgress(); }

void Outcome::Refused(const std::string& path, const std::string& reason) {
  ClearProgress();
  std::fprintf(stderr, "vantrel-extract: %s: %s\n", ShellQuoted(path).c_str(), EscapedInline(reason).c_str());
  m_refused = true;
}

void Outcome::FileDone(size_t groups) {
  ++m_files;
  m_groups += groups;
  if (!m_showsProgress) return;
  const Clock::time_point now = Clock::now();
  if (now - m_start < kQuietWork || (m_progressShown && now - m_lastShown < kProgressEvery)) return;
  std::fprintf(stderr, "\r%zu files, %zu groups", m_files, m_groups);
  std::fflush(stderr);
  m_progressShown = true;
  m_lastShown = now;
}

void Outcome::ClearProgress() {
  if (!m_progressShown) return;
  // Blanks as wide as the longest line this can have written.
  std::fprintf(stderr, "\r%48s\r", "");
  std::fflush(stderr);
  m_progressShown = false;
}
