#pragma once

#include <QImage>

// A photo-like picture (smooth gradients, edges and fine noise), so that JPEG files made from it
// have the size and decoding cost of a real photo.
QImage MakePhoto(int width, int height);
