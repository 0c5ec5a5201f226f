#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <span>

#include "cli/PngRendering.h"
#include "document/AtomicFile.h"
#include "document/Utf8Path.h"
#include "qtcanvas/QtCanvas.h"
#include "view/ViewColors.h"

namespace rollpath::cli {

bool PngRenderingAvailable() {
    return true;
}

bool WritePngRendering(CRollpathView& view, DeviceSize size, const std::filesystem::path& path,
                       MessageSink& messages) {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) {
        messages.Show("Cannot create " + Utf8FromPath(path.filename()));
        return false;
    }
    image.fill(QtCanvas::ToQColor(kWindowWhite));
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, 96, 96, QSize(size.width, size.height));
        view.OnDraw(canvas);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) {
        messages.Show("Cannot create " + Utf8FromPath(path.filename()));
        return false;
    }
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                             static_cast<std::size_t>(bytes.size()));
    return WriteFileOrReport(path, data, Utf8FromPath(path.filename()), messages);
}

}  // namespace rollpath::cli
