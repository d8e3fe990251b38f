#pragma once

#include <QImage>
#include <QSize>
#include <QVector>

// The shapes of the circles of a MakeCircles picture after carving: each run of columns that holds
// pixels other than the sky is one shape, its size the run's width and the number of rows it covers.
// The sky of each row is the colour of its first pixel in `original`, the picture before carving.
QVector<QSize> ShapesOnSky(const QImage& carved, const QImage& original);

// Whether `shapes` are two circles: as wide as high within 5 %.
bool AreTwoCircles(const QVector<QSize>& shapes);
