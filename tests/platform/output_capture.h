#pragma once
// Everything the process writes to stdout and stderr while one of these lives,
// whoever writes it (our code, a library, printf).
#include <cstdio>
#include <string>
#include <unistd.h>

class CapturedOutput {
public:
    CapturedOutput() : file_(std::tmpfile()) {
        std::fflush(stdout);
        std::fflush(stderr);
        savedOut_ = ::dup(STDOUT_FILENO);
        savedErr_ = ::dup(STDERR_FILENO);
        ::dup2(::fileno(file_), STDOUT_FILENO);
        ::dup2(::fileno(file_), STDERR_FILENO);
    }
    ~CapturedOutput() {
        Stop();
        std::fclose(file_);
    }
    CapturedOutput(const CapturedOutput&) = delete;
    CapturedOutput& operator=(const CapturedOutput&) = delete;

    // Ends the capture and returns what was written.
    std::string Text() {
        Stop();
        std::string text;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;)
            text += static_cast<char>(c);
        return text;
    }

private:
    void Stop() {
        if (savedOut_ < 0)
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(savedOut_, STDOUT_FILENO);
        ::dup2(savedErr_, STDERR_FILENO);
        ::close(savedOut_);
        ::close(savedErr_);
        savedOut_ = savedErr_ = -1;
    }

    std::FILE* file_;
    int savedOut_ = -1;
    int savedErr_ = -1;
};
