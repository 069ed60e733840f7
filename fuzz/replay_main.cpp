// A fuzz target as an ordinary program: every file named on the command
// line, or found in a folder named there, goes through the target once.
// Files ending in ".hex" hold the bytes as hexadecimal text (whitespace and
// lines starting with '#' ignored), so found crash inputs are kept as text.
#include "fuzz_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

static bool fromHex(const std::string& text, Bytes* out) {
    int high = -1;
    bool comment = false;
    for (char c : text) {
        if (comment) {
            comment = c != '\n';
            continue;
        }
        if (c == '#') comment = true;
        if (comment || isspace((unsigned char)c)) continue;
        if (!isxdigit((unsigned char)c)) return false;
        int v = isdigit((unsigned char)c) ? c - '0' : tolower(c) - 'a' + 10;
        if (high < 0) {
            high = v;
        } else {
            out->push_back((uint8_t)(high << 4 | v));
            high = -1;
        }
    }
    return high < 0;
}

static bool readInput(const fs::path& path, Bytes* out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (path.extension() == ".hex") return fromHex(bytes, out);
    out->assign(bytes.begin(), bytes.end());
    return true;
}

int main(int argc, char** argv) {
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; i++) {
        std::error_code error;
        if (fs::is_directory(argv[i], error)) {
            for (const fs::directory_entry& e : fs::directory_iterator(argv[i]))
                if (e.is_regular_file()) inputs.push_back(e.path());
        } else {
            inputs.push_back(argv[i]);
        }
    }
    std::sort(inputs.begin(), inputs.end());
    int fed = 0;
    for (const fs::path& p : inputs) {
        Bytes bytes;
        if (!readInput(p, &bytes)) {
            fprintf(stderr, "cannot read %s\n", p.c_str());
            return 1;
        }
        LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
        fed++;
    }
    printf("%d inputs replayed\n", fed);
    // A replay of nothing proves nothing: the corpus went missing.
    return fed > 0 ? 0 : 1;
}
