#pragma once
// What the render commands share: drawing without a display, and the PNG
// they write. A PNG file is saved as record files are: encoded in memory,
// then written whole through a temporary file that is forced to disk and
// renamed over the file, so that a full disk or any other failure leaves an
// earlier PNG of that name as it was. "-" writes the PNG to standard
// output instead, for a pipe.

#include <memory>
#include <string>

#include <QImage>

class QGuiApplication;

namespace quindo::records {

// The Qt application that text drawing needs, on the offscreen platform
// unless QT_QPA_PLATFORM names another; no display is needed. Qt's own
// warnings are not passed on: standard error carries this program's
// messages only.
class RenderingApplication {
 public:
  RenderingApplication();
  ~RenderingApplication();

 private:
  std::unique_ptr<QGuiApplication> application_;
};

// Writes the image as PNG file `target`, or to standard output for "-" (or
// "/dev/stdout"), then says "TARGET WIDTHxHEIGHT" on standard error. A
// failure raises CommandError (status 1) with the file error (61 "Disk
// full", 76 "Path not found", ...).
void WritePng(const QImage& image, const std::string& target);

}  // namespace quindo::records
