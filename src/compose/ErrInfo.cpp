#include "compose/ErrInfo.h"

#include <cstdio>

namespace {

std::function<void(const QString&)>& handler() {
    static std::function<void(const QString&)> instance;
    return instance;
}

} // namespace

void ShowErrInfo(const QString& text) {
    if (handler())
        handler()(text);
    else
        std::fprintf(stderr, "velomira: %s\n", qPrintable(text));
}

void SetErrInfoHandler(std::function<void(const QString&)> h) {
    handler() = std::move(h);
}

std::function<void(const QString&)> ErrInfoHandler() {
    return handler();
}
