#pragma once

#include <QImage>
#include <string>

#include "platform/TextFile.h"

// The image as a PNG file, written whole or not at all (see WriteFileAtomically).
FileResult WritePng(const std::string& path, const QImage& image);
