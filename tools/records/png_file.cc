#include "png_file.h"

#include <QBuffer>
#include <QByteArray>

#include "common/error.h"
#include "common/file_system.h"

namespace quindo::records {

void SavePngFile(const QImage& image, const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw Error(kPathFileAccessError, "The image cannot be encoded as PNG");
  WriteFileAtomically(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

}  // namespace quindo::records
