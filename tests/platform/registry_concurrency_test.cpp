#include "registry_test_support.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace registry_test;

namespace {

constexpr int kWrites = 500;

// Runs in a forked child: writes its own values, one call each, and reports
// through the exit status how many calls failed.
[[noreturn]] void WriteValues(char prefix) {
    int failures = 0;
    HKEY key = Create("SOFTWARE\\Norvane\\Quelvo Player");
    for (int i = 0; i < kWrites; ++i) {
        const std::string name = prefix + std::to_string(i);
        failures += SetText(key, name.c_str(), name) != ERROR_SUCCESS;
    }
    RegCloseKey(key);
    ::_exit(failures == 0 && key ? 0 : 1);
}

} // namespace

TEST(RegistryConcurrency, TwoProcessesWritingAtOnceLoseNothing) {
    // Lost updates are the point here, not durability: a folder in memory keeps
    // a thousand flushes to disk from making the test slow on a busy machine.
    ConfigSandbox sandbox(QDir("/dev/shm").exists() ? "/dev/shm" : QDir::tempPath());
    std::vector<pid_t> writers;
    for (const char prefix : {'A', 'B'}) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0)
            WriteValues(prefix);
        writers.push_back(pid);
    }
    for (const pid_t pid : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    // One look at the file checks all values; the calls check one of each set.
    const std::string file = ConfigSandbox::ReadText(sandbox.UserHive());
    int found = 0;
    for (const char prefix : {'A', 'B'})
        for (int i = 0; i < kWrites; ++i) {
            // Appended: a literal + std::string makes GCC 12 at -O2 warn falsely.
            std::string name = "\"";
            name += prefix;
            name += std::to_string(i);
            name += '"';
            found += file.find("\n" + name + "=" + name + "\n") != std::string::npos;
        }
    EXPECT_EQ(found, 2 * kWrites);
    HKEY key = Create("SOFTWARE\\Norvane\\Quelvo Player", KEY_READ);
    EXPECT_EQ(Query(key, "A499").Text(), "A499");
    EXPECT_EQ(Query(key, "b0").Text(), "B0");
    RegCloseKey(key);
}
