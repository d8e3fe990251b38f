#pragma once

#include <QString>

// The running program's claim on its settings file, so that a second process (velomira --next)
// can tell that the file has an owner and leave it alone. The claim is a read lock on a file beside
// the settings; the system drops it when the program ends, however it ends. Two tray programs may
// both hold it.
class SettingsClaim {
public:
    // Claims the settings file at `settingsPath` for the lifetime of the object (best effort: a
    // folder that cannot be written leaves the settings unclaimed).
    explicit SettingsClaim(const QString& settingsPath);
    ~SettingsClaim();
    SettingsClaim(const SettingsClaim&) = delete;
    SettingsClaim& operator=(const SettingsClaim&) = delete;

    // Whether a running program holds the claim on the settings file at `settingsPath`.
    static bool held(const QString& settingsPath);

private:
    int fd_ = -1;
};
