// fuzz_settings: a settings file of arbitrary bytes, read as the program reads it at start-up.
// Whatever was read must survive being written and read again unchanged: a save must never lose or
// alter what the file held.
#include "app/IniDocument.h"
#include "app/Settings.h"

#include "../MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArray saved = IniDocument::parse(bytes).serialize();
    if (IniDocument::parse(saved).serialize() != saved) __builtin_trap();

    const LoadedSettings loaded = LoadSettings(SettingsStore(QString::fromStdString(AsFile(data, size))));
    if (loaded.settings.misc.delay < 1 || loaded.settings.misc.delay > 1440 ||
        loaded.settings.PictureFolders.isEmpty())
        __builtin_trap();
    return 0;
}
