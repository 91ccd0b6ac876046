#pragma once

// The idle measurement shared by bench/idle_program.cpp and its peer bench/bare_peer.cpp.

#include <QApplication>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

namespace bench {

// CPU time (user + system) of this process so far, in milliseconds.
inline double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Runs the event loop and prints the CPU time used from one second after the start, once the
// first paint is done, for SECONDS.
inline int idleFor(const char* seconds)
{
    double before = 0;
    QTimer::singleShot(1000, qApp, [&before] { before = cpuMs(); });
    QTimer::singleShot(1000 + int(std::atof(seconds) * 1000), qApp, &QCoreApplication::quit);
    QApplication::exec();
    std::printf("%.1f\n", cpuMs() - before);
    return 0;
}

} // namespace bench
