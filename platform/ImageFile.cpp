#include "platform/ImageFile.h"

#include <QBuffer>

FileResult WritePng(const std::string& path, const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return FileProblem(path, "cannot encode the picture as PNG");
    return WriteFileAtomically(path, bytes.toStdString());
}
