#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The settings file in memory: sections of named text values, both kept in file order.
//
// File format: UTF-8 (a leading byte order mark is skipped), "[section]" lines and "name=value"
// lines, ending in LF or CR LF. In values a backslash, line feed and carriage return are written as
// \\, \n and \r; names additionally escape "=" and a leading "[", ";" or "#". A backslash before any
// other character is read as it stands. Blanks around a section header, its name and a value's name
// are ignored; values are kept exactly as written. Blank lines, lines starting with ";" or "#", lines
// before the first section and lines without "=" are skipped, so a hand-edited or damaged file still
// loads.
// Section and value names compare without regard to case, as registry keys do.
class IniDocument {
public:
    struct Value {
        QString name;
        QString data;
    };
    struct Section {
        QString name;
        std::vector<Value> values;
    };

    static IniDocument parse(const QByteArray& bytes);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& section, const QString& name) const;
    // Replaces the value in place or appends it; creates the section at the end when missing.
    void setValue(const QString& section, const QString& name, const QString& data);
    // The section's values in file order; empty when the section does not exist.
    std::vector<Value> values(const QString& section) const;
    void removeSection(const QString& section);

private:
    Section* find(const QString& section);
    const Section* find(const QString& section) const;

    std::vector<Section> sections_;
};
