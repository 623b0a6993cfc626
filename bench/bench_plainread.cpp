// The reference for the start-up figure: a plain program that reads a table
// file in 1 MiB blocks and finds every line end and every delimiter with
// memchr, then prints its time stamps the way the editor's ready line does.
// bench_plainread FILE [DELIMITER]
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "ui/ReadyLine.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_plainread FILE [DELIMITER]\n");
        return 2;
    }
    const char delimiter = argc > 2 && argv[2][0] ? argv[2][0] : ';';
    const int fd = ::open(argv[1], O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::perror(argv[1]);
        return 1;
    }
    std::vector<char> buffer(1 << 20);
    std::size_t kept = 0;  // the start of a line that continues in the next block
    long long lines = 0, fields = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data() + kept, buffer.size() - kept);
        if (n < 0) {
            std::perror("read");
            return 1;
        }
        const std::size_t size = kept + static_cast<std::size_t>(n);
        const char* p = buffer.data();
        const char* end = p + size;
        while (p < end) {
            const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
            if (!lineEnd) {
                if (n == 0) lineEnd = end;  // the last line without a line end
                else break;
            }
            for (const char* q = p;; ++q) {
                q = static_cast<const char*>(std::memchr(q, delimiter, static_cast<std::size_t>(lineEnd - q)));
                ++fields;
                if (!q) break;
            }
            ++lines;
            p = lineEnd + 1;
        }
        if (n == 0) break;
        kept = p < end ? static_cast<std::size_t>(end - p) : 0;
        std::memmove(buffer.data(), p, kept);
        if (kept == buffer.size()) buffer.resize(buffer.size() * 2);  // a line longer than the block
    }
    ::close(fd);
    tabulyst::ui::printReadyLine(lines);
    std::fprintf(stderr, "%lld lines, %lld fields\n", lines, fields);
    return 0;
}
