#pragma once
// The PNG files that the render commands write, saved as record files are:
// encoded in memory, then written whole through a temporary file that is
// forced to disk and renamed over the file. A full disk or any other
// failure leaves an earlier PNG of that name as it was.

#include <string>

#include <QImage>

namespace quindo::records {

// Raises quindo::Error with the file error (61 "Disk full", 76 "Path not
// found", ...), or 75 when the image cannot be encoded.
void SavePngFile(const QImage& image, const std::string& path);

}  // namespace quindo::records
