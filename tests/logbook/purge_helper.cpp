// Purges the log named on the command line, as the start-up does; the crash
// test kills it at random moments. It starts the purge when a line comes on
// its input, so that the test's clock starts with the purge and not with the
// loading of the program.
#include "logbook/logfiles.h"

#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) return 2;
    std::puts("ready");
    std::fflush(stdout);
    char go[8];
    if (!std::fgets(go, sizeof go, stdin)) return 3;
    try {
        zelmor::PurgeDeletedRecords(QString::fromLocal8Bit(argv[1]));
    } catch (const zelmor::IoError &e) {
        std::fprintf(stderr, "%s\n", e.text().toLocal8Bit().constData());
        return 1;
    }
    std::puts("done");
    std::fflush(stdout);
    return 0;
}
