#include "imagelib/ImageLibrary.h"

#include <QFile>
#include <dlfcn.h>

namespace {

QString missingMessage(const char* file) {
    return QString("Die benötigte Datei %1 fehlt.\nBitte die Komplettinstallation durchführen.").arg(file);
}

void* open(const char* file, const QStringList& folders) {
    for (const QString& folder : folders) {
        const QByteArray path = QFile::encodeName(folder + '/' + file);
        if (void* handle = ::dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL))
            return handle;
    }
    return nullptr;
}

template <typename Pointer> bool resolve(void* handle, const char* name, Pointer& out) {
    out = reinterpret_cast<Pointer>(::dlsym(handle, name));
    return out != nullptr;
}

} // namespace

QString ImageLibrary::load(const QStringList& folders) {
    void* base = open(kBaseFile, folders);
    bool ok = base != nullptr;
#define VELOMIRA_RESOLVE(name) ok = ok && resolve(base, #name, fn_.name);
    VELOMIRA_IS_FUNCTIONS(VELOMIRA_RESOLVE)
#undef VELOMIRA_RESOLVE
    if (!ok || fn_.IS40_Initialize() != 1)
        return missingMessage(kBaseFile);

    void* effects = open(kEffectsFile, folders);
    ok = effects != nullptr;
#define VELOMIRA_RESOLVE(name) ok = ok && resolve(effects, #name, fn_.name);
    VELOMIRA_ISE_FUNCTIONS(VELOMIRA_RESOLVE)
#undef VELOMIRA_RESOLVE
    if (!ok || fn_.ISE40_Initialize() != 1)
        return missingMessage(kEffectsFile);

    loaded_ = true;
    return {};
}

ImageLibrary& Library() {
    static ImageLibrary library;
    return library;
}
