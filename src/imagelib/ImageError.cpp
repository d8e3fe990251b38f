#include "imagelib/ImageError.h"

ImageError::ImageError(int number, QString source, QString description)
    : number_(number), source_(std::move(source)), description_(std::move(description)),
      what_(QString("%1 (%2, %3)").arg(description_, source_, QString::number(number_)).toUtf8()) {}
