#pragma once
// "Now" as the program sees it: the PC clock, or a set time in tests.
#include <QDateTime>

namespace zelmor {

class Clock {
public:
    virtual ~Clock() = default;
    // Local time of the PC clock.
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class FakeClock : public Clock {
public:
    QDateTime time = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    QDateTime now() const override { return time; }
};

namespace platform {
Clock &clock();
void install(Clock *c); // not owned; nullptr restores the PC clock
} // namespace platform

} // namespace zelmor
