#include "app/IniDocument.h"

#include <QList>

namespace {

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString escape(const QString& text, bool isName) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\')
            out += u"\\\\";
        else if (c == u'\n')
            out += u"\\n";
        else if (c == u'\r')
            out += u"\\r";
        else if (isName && (c == u'=' || (i == 0 && (c == u'[' || c == u';' || c == u'#')))) {
            out += u'\\';
            out += c;
        } else
            out += c;
    }
    return out;
}

// The characters a backslash escapes: in values \\, \n and \r, in names also \=, \[, \; and \#.
// Any other backslash, as a hand-edited text may hold one ("Zeile1%\Zeile2"), stands for itself.
bool isEscape(QChar c, bool isName) {
    return c == u'\\' || c == u'n' || c == u'r' ||
           (isName && (c == u'=' || c == u'[' || c == u';' || c == u'#'));
}

QString unescape(QStringView text, bool isName) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size() && isEscape(text[i + 1], isName)) {
            c = text[++i];
            if (c == u'n')
                c = u'\n';
            else if (c == u'r')
                c = u'\r';
        }
        out += c;
    }
    return out;
}

// Position of the first "=" that is not escaped, or -1.
qsizetype separatorPosition(QStringView line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\')
            ++i;
        else if (line[i] == u'=')
            return i;
    }
    return -1;
}

} // namespace

IniDocument IniDocument::parse(const QByteArray& bytes) {
    IniDocument doc;
    QString current;
    bool inSection = false;
    // Decoded as a whole, which skips a byte order mark at the start of the file only: decoded line
    // by line, one at the start of any line would go, and a name there with it.
    for (QString line : QString::fromUtf8(bytes).split(u'\n')) {
        if (line.endsWith(u'\r')) line.chop(1);
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (const QString header = line.trimmed(); header.startsWith(u'[') && header.endsWith(u']')) {
            current = header.mid(1, header.size() - 2).trimmed();
            inSection = true;
            if (!doc.find(current)) doc.sections_.push_back({current, {}});
            continue;
        }
        const qsizetype eq = separatorPosition(line);
        if (!inSection || eq <= 0) continue;
        const QString name = unescape(QStringView(line).left(eq).trimmed(), true);
        if (!name.isEmpty()) doc.setValue(current, name, unescape(QStringView(line).mid(eq + 1), false));
    }
    return doc;
}

QByteArray IniDocument::serialize() const {
    QString text;
    for (const Section& s : sections_) {
        if (!text.isEmpty()) text += u'\n';
        text += QString("[%1]\n").arg(s.name);
        for (const Value& v : s.values)
            text += escape(v.name, true) + u'=' + escape(v.data, false) + u'\n';
    }
    return text.toUtf8();
}

IniDocument::Section* IniDocument::find(const QString& section) {
    for (Section& s : sections_)
        if (sameName(s.name, section)) return &s;
    return nullptr;
}

const IniDocument::Section* IniDocument::find(const QString& section) const {
    return const_cast<IniDocument*>(this)->find(section);
}

std::optional<QString> IniDocument::value(const QString& section, const QString& name) const {
    if (const Section* s = find(section))
        for (const Value& v : s->values)
            if (sameName(v.name, name)) return v.data;
    return std::nullopt;
}

void IniDocument::setValue(const QString& section, const QString& name, const QString& data) {
    Section* s = find(section);
    if (!s) s = &sections_.emplace_back(Section{section, {}});
    for (Value& v : s->values)
        if (sameName(v.name, name)) {
            v.data = data;
            return;
        }
    s->values.push_back({name, data});
}

std::vector<IniDocument::Value> IniDocument::values(const QString& section) const {
    const Section* s = find(section);
    return s ? s->values : std::vector<Value>{};
}

void IniDocument::removeSection(const QString& section) {
    std::erase_if(sections_, [&](const Section& s) { return sameName(s.name, section); });
}
