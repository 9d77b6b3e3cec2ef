#include "scratch_dir.h"

#include <cstdlib>
#include <filesystem>

ScratchDir::ScratchDir() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/vexo-hostile-XXXXXX";
    if (mkdtemp(pattern.data())) path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    if (!path.empty()) std::filesystem::remove_all(path, ignored);
}
