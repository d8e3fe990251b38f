#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <optional>

// A hand-written calendar is a few kilobytes; anything larger is not read, so that a wrong path cannot
// make every wallpaper change read and expand a huge file.
constexpr qsizetype kMaxCalendarFileBytes = 1 << 20;

// The bytes of the regular file at `path`; nothing when it is missing, unreadable, not a regular file
// or larger than kMaxCalendarFileBytes.
std::optional<QByteArray> ReadCalendarFile(const QString& path);

// UTF-8 (without a leading byte-order mark), or Windows-1252 when the bytes are not valid UTF-8, as
// files written on Windows are; UTF-16 and UTF-32 when a byte-order mark says so.
QString DecodeCalendarText(QByteArrayView bytes);

// The lines of `text`, ended by CR LF, LF or a CR alone.
QStringList SplitCalendarLines(const QString& text);
