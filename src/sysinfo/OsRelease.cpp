#include "sysinfo/OsRelease.h"

#include <QFile>
#include <optional>

namespace {

// A real os-release file is a few hundred bytes; a larger one is not one.
constexpr qint64 kMaxFileSize = 64 * 1024;

bool isKey(std::string_view key) {
    if (key.empty()) return false;
    for (const char c : key)
        if (!(c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The value of one assignment with its quoting removed, by the shell's rules (inside double quotes a
// backslash escapes only $ " \ and `); nullopt when a quote is not closed.
std::optional<std::string> unquote(std::string_view raw) {
    std::string value;
    if (raw.empty()) return value;
    const char quote = raw.front();
    if (quote == '\'') {
        const auto end = raw.find('\'', 1);
        if (end == std::string_view::npos) return std::nullopt;
        return std::string(raw.substr(1, end - 1));
    }
    const bool quoted = quote == '"';
    for (std::size_t i = quoted ? 1 : 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (quoted && c == '"') return value;
        const bool escapes = i + 1 < raw.size() && (!quoted || std::string_view("$\"\\`").find(raw[i + 1]) !=
                                                                   std::string_view::npos);
        if (c == '\\' && escapes)
            value += raw[++i];
        else
            value += c;
    }
    if (quoted) return std::nullopt;
    return value;
}

} // namespace

OsReleaseFields ParseOsRelease(std::string_view text) {
    OsReleaseFields fields;
    while (!text.empty()) {
        const auto newline = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, newline));
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        if (line.empty() || line.front() == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos || !isKey(line.substr(0, equals))) continue;
        if (const auto value = unquote(line.substr(equals + 1)))
            fields.insert(QString::fromUtf8(line.data(), qsizetype(equals)), QString::fromStdString(*value));
    }
    return fields;
}

OsReleaseFields ReadOsRelease(const QStringList& paths) {
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        const QByteArray text = file.read(kMaxFileSize);
        return ParseOsRelease(std::string_view(text.constData(), std::size_t(text.size())));
    }
    return {};
}
