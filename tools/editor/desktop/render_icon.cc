// quindo-render-icon: renders the editor's SVG icon to a square PNG at build
// time, for the icon theme's fixed sizes and the window icon.
//
//   quindo-render-icon SVG SIZE OUT.png

#include <iostream>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: quindo-render-icon SVG SIZE OUT.png\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  bool size_ok = false;
  const int size = QByteArray(argv[2]).toInt(&size_ok);
  if (!svg.isValid() || !size_ok || size <= 0) {
    std::cerr << "quindo-render-icon: cannot render " << argv[1] << " at " << argv[2] << " pixels\n";
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::cerr << "quindo-render-icon: cannot write " << argv[3] << '\n';
    return 1;
  }
  return 0;
}
