#include "sysinfo/LoadedLibrary.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <link.h>
#include <span>

namespace {

struct Search {
    std::string_view prefix;
    QByteArray path;
    std::vector<std::string_view> readOnly;
};

int matchObject(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    const std::string_view path = info->dlpi_name ? info->dlpi_name : "";
    const auto slash = path.rfind('/');
    const std::string_view file = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (!file.starts_with(search->prefix)) return 0;
    search->path = QByteArray(path.data(), qsizetype(path.size()));
    for (const ElfW(Phdr) & segment : std::span(info->dlpi_phdr, info->dlpi_phnum))
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_R) && !(segment.p_flags & PF_W))
            search->readOnly.emplace_back(reinterpret_cast<const char*>(info->dlpi_addr + segment.p_vaddr),
                                          segment.p_filesz);
    return 1;
}

} // namespace

std::optional<LoadedLibrary> LoadedLibrary::Find(std::string_view prefix) {
    Search search{prefix, {}, {}};
    if (prefix.empty() || ::dl_iterate_phdr(matchObject, &search) == 0) return std::nullopt;
    // RTLD_NOLOAD only hands out another reference to the object already mapped.
    void* handle = ::dlopen(search.path.constData(), RTLD_LAZY | RTLD_NOLOAD);
    if (!handle) return std::nullopt;
    return LoadedLibrary(search.path, std::move(search.readOnly), handle);
}

void LoadedLibrary::Closer::operator()(void* handle) const {
    ::dlclose(handle);
}

void* LoadedLibrary::symbol(const char* name) const {
    return ::dlsym(handle_.get(), name);
}

QString LoadedLibrary::realFileName() const {
    return QFileInfo(QFileInfo(QString::fromLocal8Bit(path_)).canonicalFilePath()).fileName();
}

QString LoadedLibrary::embeddedText(std::string_view marker) const {
    for (const std::string_view segment : readOnly_) {
        const auto start = segment.find(marker);
        if (start == std::string_view::npos) continue;
        const std::string_view rest = segment.substr(start);
        const std::string_view text = rest.substr(0, rest.find('\0'));
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    return {};
}

QString VersionFromFileName(const QString& fileName) {
    const qsizetype so = fileName.indexOf(".so.");
    return so < 0 ? QString() : fileName.mid(so + 4);
}
