// The profile control in a window of its own, with the server's address and
// port and a Connect button.
//
//   minimal-host [HOST PORT] [--expect N]
//
// With --expect, Connect is pressed at once, the tree is printed as soon as it
// shows N profiles and the program ends with 0, or with 1 after 20 seconds.

#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
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
  auto* address = new QLineEdit(args.value(1, QStringLiteral("127.0.0.1")));
  auto* port = new QLineEdit(args.value(2, QStringLiteral("58658")));
  auto* connect = new QPushButton(QStringLiteral("Connect"));
  // An empty command line: the address comes from the fields, on Connect.
  auto* profiles = new quindo::ActiveProfilesWidget(std::string());
  auto* fields = new QHBoxLayout;
  fields->addWidget(address);
  fields->addWidget(port);
  fields->addWidget(connect);
  auto* layout = new QVBoxLayout(&window);
  layout->addLayout(fields);
  layout->addWidget(profiles);
  QObject::connect(connect, &QPushButton::clicked, profiles, [=] {
    profiles->SetServerAddress(address->text());
    profiles->SetServerPort(port->text().toInt());
  });
  window.resize(360, 400);
  window.show();

  const qsizetype expect = args.indexOf(QStringLiteral("--expect"));
  if (expect > 0) {
    const int expected = args.value(expect + 1).toInt();
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
