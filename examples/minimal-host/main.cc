// A window with the profile control and a Connect button that points it at
// the server named on the command line.
//
//   minimal-host [HOST [PORT [--expect N]]]     (default 127.0.0.1 58658)
//
// With --expect, Connect is pressed at once; the program prints the tree and
// ends with 0 as soon as it shows N profiles, or with 1 after 20 seconds.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include <quindo/qt/active_profiles_widget.h>
#include <quindo/qt/qt_tree_view.h>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = app.arguments();
  QWidget window;
  auto* connect = new QPushButton(QStringLiteral("Connect"));
  // An empty command line: the server is set on Connect.
  auto* profiles = new quindo::ActiveProfilesWidget(std::string());
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(connect);
  layout->addWidget(profiles);
  QObject::connect(connect, &QPushButton::clicked, profiles, [&] {
    profiles->SetServerAddress(args.value(1, QStringLiteral("127.0.0.1")));
    profiles->SetServerPort(args.value(2, QStringLiteral("58658")).toInt());
  });
  window.show();

  if (args.value(3) == QStringLiteral("--expect")) {
    const int expected = args.value(4).toInt();
    connect->click();
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, &window, [&] {
      if (profiles->TreeNodes().Count() < expected) return;
      profiles->TreeNodes().ForEachNode([](const quindo::TreeNode& node) {
        std::printf("%s %s\n", node.key.c_str(), node.text.c_str());
        return true;
      });
      app.exit(0);
    });
    poll->start(50);
    QTimer::singleShot(20000, &window, [&] { app.exit(1); });
  }
  return app.exec();
}
