#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The failure of an image library wrapper: number 1000 + the library's error code, the wrapper's
// name as source and the failing library step as description ("IS_ReadImage", ...). The
// composition shows the description.
class ImageError : public std::exception {
public:
    ImageError(int number, QString source, QString description);

    int number() const { return number_; }
    const QString& source() const { return source_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString source_;
    QString description_;
    QByteArray what_;
};
