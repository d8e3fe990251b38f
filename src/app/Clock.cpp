#include "app/Clock.h"

namespace {

std::function<QDateTime()>& clock() {
    static std::function<QDateTime()> instance;
    return instance;
}

} // namespace

QDateTime Now() {
    return clock() ? clock()() : QDateTime::currentDateTime();
}

void SetClock(std::function<QDateTime()> clock_) {
    clock() = std::move(clock_);
}
