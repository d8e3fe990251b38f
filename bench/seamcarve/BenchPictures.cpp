#include "BenchPictures.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>

namespace {

// Shapes are laid out on a 1000 x 1000 grid and scaled to the picture.
struct Grid {
    int width;
    int height;
    QString x(int v) const { return QString::number(v * width / 1000); }
    QString y(int v) const { return QString::number(v * height / 1000); }
    QString point(int px, int py) const { return x(px) + ',' + y(py); }
    QString rect(int x0, int y0, int x1, int y1) const {
        return "rectangle " + point(x0, y0) + ' ' + point(x1, y1);
    }
};

QString Size(int width, int height) {
    return QString("%1x%2").arg(width).arg(height);
}

} // namespace

bool MakeLandscape(const QString& path, int width, int height) {
    const Grid g{width, height};
    const int horizon = height * 55 / 100;
    QStringList draw;
    draw << "-fill"
         << "#f4d774"
         << "-draw"
         << "circle " + g.point(760, 160) + ' ' + g.point(760, 225);
    draw << "-fill"
         << "#55703c"
         << "-draw"
         << "ellipse " + g.point(250, 560) + ' ' + g.x(420) + ',' + g.y(70) + " 180,360";
    draw << "-fill"
         << "#a33a26"
         << "-stroke"
         << "#2a1a10"
         << "-strokewidth"
         << "3"
         << "-draw" << g.rect(140, 430, 420, 700);
    draw << "-fill"
         << "#5b2a1c"
         << "-draw"
         << "polygon " + g.point(120, 430) + ' ' + g.point(280, 330) + ' ' + g.point(440, 430);
    for (const int left : {175, 315})
        draw << "-fill"
             << "#dfe8ef"
             << "-draw" << g.rect(left, 480, left + 70, 560);
    draw << "-fill"
         << "#3b2616"
         << "-draw" << g.rect(250, 600, 310, 700);
    draw << "-stroke"
         << "none"
         << "-fill"
         << "#2f4a22"
         << "-draw"
         << "ellipse " + g.point(690, 560) + ' ' + g.x(90) + ',' + g.y(150) + " 0,360";
    draw << "-fill"
         << "#4d3420"
         << "-draw" << g.rect(680, 690, 700, 800);
    for (int post = 0; post < 8; ++post)
        draw << "-fill"
             << "#d9cfb8"
             << "-draw" << g.rect(520 + 55 * post, 760, 532 + 55 * post, 860);
    draw << "-fill"
         << "#d9cfb8"
         << "-draw" << g.rect(515, 780, 937, 790);

    QStringList args;
    args << "-seed"
         << "11"
         << "-size" << Size(width, horizon) << "gradient:#6f9fd8-#efe3c4";
    args << "("
         << "-size" << Size(width, height - horizon) << "plasma:#5d7a3a-#9a8a5a"
         << "-modulate"
         << "100,45"
         << "-blur"
         << "0x1.2"
         << ")"
         << "-append";
    args << draw << "-attenuate"
         << "0.25"
         << "+noise"
         << "Gaussian"
         << "-depth"
         << "8" << path;
    return RunConvert(args) >= 0;
}

bool MakeCircles(const QString& path, int width, int height) {
    const int radius = height * 175 / 1000;
    QString circles;
    for (const int x : {width * 27 / 100, width * 73 / 100})
        circles += QString(" circle %1,%2 %1,%3").arg(x).arg(height / 2).arg(height / 2 + radius);
    const QString size = Size(width, height);
    return RunConvert({"-seed",
                       "5",
                       "-size",
                       size,
                       "gradient:#6f9fd8-#efe3c4",
                       "(",
                       "-size",
                       size,
                       "plasma:#a04020-#e0a040",
                       "-attenuate",
                       "0.4",
                       "+noise",
                       "Gaussian",
                       ")",
                       "(",
                       "-size",
                       size,
                       "xc:black",
                       "-fill",
                       "white",
                       "-draw",
                       circles,
                       ")",
                       "-composite",
                       "-depth",
                       "8",
                       path}) >= 0;
}

double RunConvert(const QStringList& args) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start("/usr/bin/convert", args);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e9;
}
