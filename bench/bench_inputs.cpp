#include "bench/bench_inputs.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace tessvane::bench {

ByteBuffer benchInput(std::string_view fileName) {
    const std::string path = std::string(TESSVANE_BENCH_INPUTS) + "/" + std::string(fileName);
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "missing benchmark input %s: run bench/make_inputs.sh first\n", path.c_str());
        std::exit(2);
    }
    return ByteBuffer(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace tessvane::bench
