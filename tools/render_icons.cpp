// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time tool: writes the program's icon as PNG files into an icon theme tree,
// <dir>/hicolor/<n>x<n>/apps/zm480-plot.png for each size n given, for the install step to
// copy. It paints into images only, so it needs no display and no platform plugin.
#include <QDir>
#include <QImage>

#include <cstdio>
#include <cstdlib>

#include "app/lamp_images.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <output directory> <size in pixels>...\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int sizePx = std::atoi(argv[i]);
        if (sizePx < 16 || sizePx > 1024) {
            std::fprintf(stderr, "not an icon size: %s\n", argv[i]);
            return 2;
        }
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(sizePx);
        const QString file = dir + QStringLiteral("/zm480-plot.png");
        if (!QDir().mkpath(dir) || !zm::squareIconImage(sizePx).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
