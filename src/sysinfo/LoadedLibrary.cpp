#include "sysinfo/LoadedLibrary.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <functional>
#include <link.h>
#include <span>

namespace {

// The first loaded object whose path `matches`: its path and mapped read-only segments.
struct Search {
    std::function<bool(std::string_view path)> matches;
    QByteArray path;
    std::vector<std::string_view> readOnly;
};

int matchObject(dl_phdr_info* info, size_t, void* data) {
    auto* search = static_cast<Search*>(data);
    const std::string_view path = info->dlpi_name ? info->dlpi_name : "";
    if (!search->matches(path)) return 0;
    search->path = QByteArray(path.data(), qsizetype(path.size()));
    for (const ElfW(Phdr) & segment : std::span(info->dlpi_phdr, info->dlpi_phnum))
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_R) && !(segment.p_flags & PF_W))
            search->readOnly.emplace_back(reinterpret_cast<const char*>(info->dlpi_addr + segment.p_vaddr),
                                          segment.p_filesz);
    return 1;
}

Search find(std::function<bool(std::string_view path)> matches) {
    Search search{std::move(matches), {}, {}};
    ::dl_iterate_phdr(matchObject, &search);
    return search;
}

} // namespace

std::optional<LoadedLibrary> LoadedLibrary::Open(std::string_view soname) {
    if (soname.empty()) return std::nullopt; // dlopen would hand out the program itself
    // A loaded copy counts under any ABI version: its file name need only begin like the soname up
    // to ".so.".
    const auto so = soname.find(".so.");
    const std::string_view stem = so == std::string_view::npos ? soname : soname.substr(0, so + 4);
    const Search loaded = find([stem](std::string_view path) {
        const auto slash = path.rfind('/');
        return path.substr(slash == std::string_view::npos ? 0 : slash + 1).starts_with(stem);
    });
    // RTLD_NOLOAD only hands out another reference to the object already mapped. A library loaded
    // here stays local, so nothing else binds to it, and goes again with the last handle.
    if (!loaded.path.isEmpty()) return Hold(::dlopen(loaded.path.constData(), RTLD_LAZY | RTLD_NOLOAD));
    return Hold(::dlopen(std::string(soname).c_str(), RTLD_LAZY | RTLD_LOCAL));
}

std::optional<LoadedLibrary> LoadedLibrary::Hold(void* handle) {
    if (!handle) return std::nullopt;
    std::unique_ptr<void, Closer> held(handle);
    link_map* map = nullptr;
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map) return std::nullopt;
    const std::string_view name = map->l_name;
    Search search = find([name](std::string_view path) { return path == name; });
    return LoadedLibrary(std::move(search.path), std::move(search.readOnly), held.release());
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
