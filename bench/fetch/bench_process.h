// What the fetch benchmark needs from the operating system, one file per platform.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace quorvale::bench_process {

extern const char kReferenceName[];

double now_seconds();
std::size_t resident_bytes();
std::size_t peak_resident_bytes();

// Runs this program with args and returns what it printed.
std::string run_self(const std::vector<std::string>& args);

// Seconds the reference client takes to read the whole body of url, or 0 when it fails.
double reference_seconds(const std::string& url);

}  // namespace quorvale::bench_process
