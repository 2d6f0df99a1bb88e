// Writes the program's icon as PNG files for the hicolor icon theme: the 32 x 32 pixel art as it
// is, and larger renderings of the same pixels, each pixel a square block of a whole number of
// pixels, so that a menu or a software centre shows the icon's own design, never a blurred one.
//
//   tovarin-render-icons NAME OUT_DIR SIZE...
//
// writes OUT_DIR/<SIZE>x<SIZE>/apps/NAME.png for every SIZE, a multiple of the icon's 32 pixels.

#include "app/look/Look.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>

#include <iostream>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char *argv[])
{
    // A build step: no display, and no scaling from the environment it happens to run in.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("QT_SCALE_FACTOR");
    qunsetenv("QT_SCREEN_SCALE_FACTORS");
    QGuiApplication application(argc, argv);

    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 4) {
        std::cerr << "usage: tovarin-render-icons NAME OUT_DIR SIZE...\n";
        return 2;
    }
    const QString name = arguments.at(1);
    const QDir outDir(arguments.at(2));

    const QIcon icon = tovarin::programIcon();
    const QList<QSize> sizes = icon.availableSizes();
    if (sizes.size() != 1 || sizes.first().width() != sizes.first().height()) {
        std::cerr << "tovarin-render-icons: the program icon should have one square size\n";
        return 1;
    }
    const QSize base = sizes.first();
    const QImage art = icon.pixmap(base).toImage().convertToFormat(QImage::Format_ARGB32);
    if (art.size() != base) {
        std::cerr << "tovarin-render-icons: the icon came back scaled\n";
        return 1;
    }

    for (qsizetype i = 3; i < arguments.size(); ++i) {
        bool ok = false;
        const int size = arguments.at(i).toInt(&ok);
        if (!ok || size <= 0 || size % base.width() != 0) {
            std::cerr << "tovarin-render-icons: " << qPrintable(arguments.at(i))
                      << " is not a whole multiple of the icon's " << base.width() << " pixels\n";
            return 1;
        }
        // Nearest-neighbour at a whole factor: every source pixel becomes an exact square.
        const QImage rendering
            = art.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString subdir = u"%1x%1/apps"_s.arg(size);
        const QString path = outDir.filePath(subdir + u'/' + name + u".png"_s);
        if (!outDir.mkpath(subdir) || !rendering.save(path, "PNG")) {
            std::cerr << "tovarin-render-icons: cannot write " << qPrintable(path) << '\n';
            return 1;
        }
    }
    return 0;
}
