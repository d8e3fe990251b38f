#pragma once

#include "sysinfo/OsRelease.h"

#include <QLocale>
#include <QString>
#include <string_view>

struct utsname;

// The numbers at the start of a kernel release ("6.1.0-13-amd64" gives 6, 1, 0); missing ones are 0.
struct KernelVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};
KernelVersion ParseKernelRelease(std::string_view release);

// The running Linux system: the kernel from uname, the distribution from os-release, the language
// from the system locale.
class OperatingSystem {
public:
    OperatingSystem();
    // A system described by the given facts (the kernel's sysname, release and machine as uname
    // reports them).
    OperatingSystem(const QString& sysname, const QString& release, const QString& machine,
                    const OsReleaseFields& osRelease, const QLocale& locale);

    // The kernel name and release, as "Linux 6.1.0-13-amd64".
    QString ToString() const { return toString_; }
    bool Is64BitOS() const { return is64Bit_; }
    // The system locale's language in its own words, as "Deutsch (Deutschland)"; empty for the
    // POSIX locale, which names no language.
    QString Language() const { return language_; }
    // The distribution: PRETTY_NAME of os-release, else NAME, else the kernel name.
    QString name() const { return name_; }
    int Major() const { return kernel_.major; }
    int Minor() const { return kernel_.minor; }
    int Revision() const { return kernel_.revision; }

private:
    explicit OperatingSystem(const utsname& kernel);

    QString toString_;
    QString name_;
    QString language_;
    KernelVersion kernel_;
    bool is64Bit_ = false;
};
