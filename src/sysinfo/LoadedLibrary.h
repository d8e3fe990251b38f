#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// A shared object loaded into the process, held open while this object lives.
class LoadedLibrary {
public:
    // The library named by `soname` ("libtiff.so.6") as the process runs it: the copy already loaded,
    // under whichever ABI version ("libtiff.so.5" as well), else the file the dynamic loader would
    // load for the soname, loaded only while this object lives. Nullopt when there is neither.
    static std::optional<LoadedLibrary> Open(std::string_view soname);

    // The address of an exported symbol cast to `Function`; nullptr when it is not exported.
    template <typename Function> Function function(const char* name) const {
        return reinterpret_cast<Function>(symbol(name));
    }

    // The file name behind the loaded path with symbolic links resolved ("libexiv2.so.0.27.6").
    QString realFileName() const;

    // The first string in the object's read-only memory that begins with `marker`, up to its end;
    // empty when there is none. For libraries that build a version text in but offer no call for it.
    QString embeddedText(std::string_view marker) const;

private:
    struct Closer {
        void operator()(void* handle) const;
    };

    LoadedLibrary(QByteArray path, std::vector<std::string_view> readOnly, void* handle)
        : path_(std::move(path)), readOnly_(std::move(readOnly)), handle_(handle) {}
    // Takes over a handle from dlopen; nullopt for a null one.
    static std::optional<LoadedLibrary> Hold(void* handle);
    void* symbol(const char* name) const;

    QByteArray path_;
    // The object's mapped read-only segments; they stay mapped while handle_ is held.
    std::vector<std::string_view> readOnly_;
    std::unique_ptr<void, Closer> handle_;
};

// The version that a shared object's real file name carries after ".so." ("libexiv2.so.0.27.6" gives
// "0.27.6"); empty when it carries none.
QString VersionFromFileName(const QString& fileName);
