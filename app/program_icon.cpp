#include "app/program_icon.h"

#include "res/images.h"

#include <QApplication>
#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace {

QPixmap PixmapOf(std::span<const unsigned char> png) {
    QPixmap pixmap;
    pixmap.loadFromData(png.data(), static_cast<uint>(png.size()), "PNG");
    return pixmap;
}

} // namespace

void InstallProgramIcon() {
    QApplication::setWindowIcon(QIcon(PixmapOf(res::ProgramIconPng())));
}

QCursor HandCursor() {
    return QCursor(PixmapOf(res::HandCursorPng()), res::kHandCursorHotSpotX,
                   res::kHandCursorHotSpotY);
}
