// Build step: decodes one of the program's PNG pictures into the raw pixel
// form the program maps straight from its resources (see BakedPicture.h),
// so no picture is decoded while the main window is built.
//
// Usage: velmora_bake_picture IN.png OUT.raw
#include <QFile>
#include <QImage>
#include <cstdio>

#include "controls/BakedPicture.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s IN.png OUT.raw\n", argv[0]);
        return 2;
    }
    const QImage decoded(QString::fromLocal8Bit(argv[1]));
    if (decoded.isNull()) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[1]);
        return 1;
    }
    const QByteArray baked = velmora::BakePicture(decoded);
    QFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(baked) != baked.size() ||
        !out.flush()) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
        return 1;
    }
    return 0;
}
