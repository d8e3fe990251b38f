#include "sysinfo/OperatingSystem.h"

#include <charconv>
#include <sys/utsname.h>

namespace {

utsname kernelFacts() {
    utsname facts{};
    if (::uname(&facts) != 0) facts = {};
    return facts;
}

QString text(const char* field) {
    return QString::fromUtf8(field);
}

QString languageName(const QLocale& locale) {
    if (locale.language() == QLocale::C) return {};
    const QString language = locale.nativeLanguageName();
    const QString territory = locale.nativeTerritoryName();
    return territory.isEmpty() ? language : language + " (" + territory + ")";
}

// Whether a kernel machine name (uname -m) is a 64-bit architecture.
bool is64BitMachine(std::string_view machine) {
    // Every 64-bit Linux architecture has "64" in its machine name except these two.
    return machine.find("64") != std::string_view::npos || machine == "s390x" || machine == "alpha";
}

QString distributionName(const OsReleaseFields& osRelease, const QString& sysname) {
    for (const char* key : {"PRETTY_NAME", "NAME"})
        if (const QString name = osRelease.value(key); !name.isEmpty()) return name;
    return sysname;
}

} // namespace

KernelVersion ParseKernelRelease(std::string_view release) {
    int numbers[3] = {0, 0, 0};
    const char* p = release.data();
    const char* const end = p + release.size();
    for (int& n : numbers) {
        // from_chars would take a sign; a release has none.
        if (p == end || *p < '0' || *p > '9') break;
        const auto [next, error] = std::from_chars(p, end, n);
        if (error != std::errc()) {
            n = 0;
            break;
        }
        p = next;
        if (p == end || *p != '.') break;
        ++p;
    }
    return {numbers[0], numbers[1], numbers[2]};
}

OperatingSystem::OperatingSystem() : OperatingSystem(kernelFacts()) {}

OperatingSystem::OperatingSystem(const utsname& kernel)
    : OperatingSystem(text(kernel.sysname), text(kernel.release), text(kernel.machine), ReadOsRelease(),
                      QLocale::system()) {}

OperatingSystem::OperatingSystem(const QString& sysname, const QString& release, const QString& machine,
                                 const OsReleaseFields& osRelease, const QLocale& locale)
    : toString_(QString(sysname + ' ' + release).trimmed()), name_(distributionName(osRelease, sysname)),
      language_(languageName(locale)), kernel_(ParseKernelRelease(release.toStdString())),
      is64Bit_(is64BitMachine(machine.toStdString())) {}
