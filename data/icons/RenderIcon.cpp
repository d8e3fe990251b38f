// Renders the program's SVG icon as the PNG sizes of the icon theme, at build time, so that the
// pictures cannot drift from the drawing:
//   velomira_render_icon ICON.svg OUTDIR SIZE...   writes OUTDIR/<N>x<N>/apps/velomira.png
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fputs("Aufruf: velomira_render_icon ICON.svg ZIELORDNER GRÖSSE...\n", stderr);
        return 2;
    }
    for (const QString& sizeText : args.mid(3)) {
        const int size = sizeText.toInt();
        QImageReader reader(args[1], "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        if (image.isNull() || !QDir().mkpath(folder) || !image.save(folder + "/velomira.png")) {
            std::fprintf(stderr, "velomira_render_icon: %s in %d Pixeln: %s\n", qPrintable(args[1]), size,
                         qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
