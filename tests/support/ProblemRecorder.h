#pragma once
// Records the problems the platform layer reports while it lives, from any
// thread (mpv's and the disc reader's threads report too).
#include "platform/diagnostics.h"

#include <mutex>
#include <string>
#include <vector>

class ProblemRecorder {
public:
    ProblemRecorder();
    ~ProblemRecorder();
    ProblemRecorder(const ProblemRecorder&) = delete;
    ProblemRecorder& operator=(const ProblemRecorder&) = delete;

    // The lines reported so far that hold `part`.
    std::vector<std::string> Containing(const std::string& part);

private:
    std::mutex mutex_; // guards lines_
    std::vector<std::string> lines_;
    platform::ProblemSink previous_;
};
