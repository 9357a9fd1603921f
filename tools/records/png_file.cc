#include "png_file.h"

#include <cstdio>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>

#include "common/error.h"
#include "common/file_system.h"
#include "messages.h"

namespace quindo::records {
namespace {

void DropQtMessages(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

RenderingApplication::RenderingApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(DropQtMessages);
  static int argc = 1;
  static char name[] = "quindo-records";
  static char* argv[] = {name, nullptr};
  application_ = std::make_unique<QGuiApplication>(argc, argv);  // also takes the user's locale (LC_TIME)
}

RenderingApplication::~RenderingApplication() = default;

void WritePng(const QImage& image, const std::string& target) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) throw CommandError(kExitFailed, target + ": the image cannot be encoded as PNG");
  const std::string_view png(bytes.constData(), static_cast<size_t>(bytes.size()));
  // /dev/stdout names the same stream; saved as a file it would replace the
  // file the shell redirected to, or fail on a pipe.
  if (target == "-" || target == "/dev/stdout") {
    Print(png);
    if (std::fflush(stdout) != 0) throw CommandError(kExitFailed, "standard output: cannot be written");
  } else {
    try {
      WriteFileAtomically(target, png);
    } catch (const Error& e) {
      throw CommandError(kExitFailed, target + ": " + e.Description());
    }
  }
  const std::string size = target + " " + std::to_string(image.width()) + "x" + std::to_string(image.height()) + "\n";
  std::fwrite(size.data(), 1, size.size(), stderr);
}

}  // namespace quindo::records
