#include "progress_bar.h"

#include <unistd.h>

#include <cstdio>

ProgressBar::ProgressBar(std::size_t total, bool enabled)
    : total_(total), enabled_(enabled), step_(isatty(STDERR_FILENO) ? 1 : 10) {}

void ProgressBar::advance() {
    if (!enabled_) return;
    std::lock_guard lock(mutex_);
    ++done_;
    const std::size_t percent = total_ ? done_ * 100 / total_ : 100;
    if (percent != shownPercent_ && percent % step_ == 0) draw(percent);
}

void ProgressBar::finish() {
    if (!enabled_) return;
    std::lock_guard lock(mutex_);
    if (shownPercent_ != 100) draw(100);
    std::fputc('\n', stderr);
}

void ProgressBar::draw(std::size_t percent) {
    constexpr std::size_t kWidth = 40;
    char bar[kWidth + 1];
    const std::size_t filled = percent * kWidth / 100;
    for (std::size_t i = 0; i < kWidth; ++i) bar[i] = i < filled ? '#' : '.';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\rrendering [%s] %3zu%%", bar, percent);
    std::fflush(stderr);
    shownPercent_ = percent;
}
