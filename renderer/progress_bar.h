// A progress bar on standard error, redrawn when the shown percentage changes; when standard
// error is not a terminal, only every tenth.
#pragma once

#include <cstddef>
#include <mutex>

class ProgressBar {
   public:
    ProgressBar(std::size_t total, bool enabled);
    // Counts one more unit done; safe from any thread.
    void advance();
    // Ends the bar's line.
    void finish();

   private:
    void draw(std::size_t percent);

    std::mutex mutex_;
    std::size_t total_;
    std::size_t done_ = 0;
    std::size_t shownPercent_ = 101;
    bool enabled_;
    std::size_t step_;
};
