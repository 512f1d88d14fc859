#pragma once

#include <cstring>
#include <fstream>
#include <malloc.h>
#include <string>

namespace bench {
// What the process's peak memory grows by from its making to Kilobytes(): memory freed
// earlier goes back to the system first, so that the work measured cannot hide in it.
class PeakMemory {
public:
    PeakMemory() {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from now
        before_ = StatusKilobytes("VmRSS:");
    }
    long Kilobytes() const { return StatusKilobytes("VmHWM:") - before_; }

private:
    static long StatusKilobytes(const char* field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line))
            if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
        return -1;
    }
    long before_ = 0;
};
} // namespace bench
