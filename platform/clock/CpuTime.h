#pragma once
// CPU time spent so far, for measurements: by the calling thread alone, or by
// the whole process with every thread its libraries started.
namespace platform {

double ThreadCpuSeconds();
double ProcessCpuSeconds();

} // namespace platform
