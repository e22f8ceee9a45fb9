#include "tests/support/ProblemRecorder.h"

ProblemRecorder::ProblemRecorder()
    : previous_(platform::SetProblemSink([this](const std::string& text) {
          const std::lock_guard lock(mutex_);
          lines_.push_back(text);
      })) {
}

ProblemRecorder::~ProblemRecorder() {
    platform::SetProblemSink(previous_);
}

std::vector<std::string> ProblemRecorder::Containing(const std::string& part) {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> found;
    for (const std::string& line : lines_) {
        if (line.find(part) != std::string::npos)
            found.push_back(line);
    }
    return found;
}
