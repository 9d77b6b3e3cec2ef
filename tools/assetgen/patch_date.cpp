#include "patch_date.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <vector>

bool set_patch_index_date(const std::string& path, long long seconds) {
    std::vector<char> bytes;
    {
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string label = "# Date: ";
    const size_t date_length = 24;  // "Tue Dec  8 10:16:58 2026", as ctime() writes it
    std::string text(bytes.begin(), bytes.end());
    const size_t at = text.find(label);
    const size_t date_at = at + label.size();
    if (at == std::string::npos || date_at + date_length >= text.size() || text[date_at + date_length] != '\n') {
        std::fprintf(stderr, "%s: no \"%s\" line of ctime's length\n", path.c_str(), label.c_str());
        return false;
    }
    const std::time_t moment = static_cast<std::time_t>(seconds);
    std::tm utc{};
    char date[date_length + 1];
    if (!gmtime_r(&moment, &utc) || std::strftime(date, sizeof date, "%a %b %e %H:%M:%S %Y", &utc) != date_length) {
        std::fprintf(stderr, "%lld seconds is no date of ctime's length\n", seconds);
        return false;
    }
    std::copy(date, date + date_length, bytes.begin() + static_cast<long>(date_at));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}
