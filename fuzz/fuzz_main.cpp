// One fuzzer executable per target; the build names the target.
#include "fuzz/fuzz_targets.h"

#include <cstdio>
#include <cstdlib>

namespace {

const fuzz::Target& ThisTarget() {
    static const fuzz::Target* target = fuzz::FindTarget(QUELVO_FUZZ_TARGET);
    if (!target) {
        std::fprintf(stderr, "no fuzz target called %s\n", QUELVO_FUZZ_TARGET);
        std::abort();
    }
    return *target;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ThisTarget().run({data, size});
    return 0;
}
