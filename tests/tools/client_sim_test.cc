// quindo-client, quindo-sim and quindo-demo as programs: started with
// QProcess on loopback, driven through their standard input and checked on
// their standard output. The paths come from the environment (QUINDO_CLIENT,
// QUINDO_SIM, QUINDO_DEMO), set by the test's CMake block.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One running tool; answers are read line by line with a deadline.
class Tool {
 public:
  Tool(const char* variable, const QStringList& arguments) {
    process_.setProgram(qEnvironmentVariable(variable));
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start();
  }
  ~Tool() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(2000);
    }
  }

  void Write(const QString& line) {
    process_.write((line + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(1000);
  }
  // The next line, or "<timeout>".
  QString ReadLine(int ms = 20000) {
    QDeadlineTimer deadline(ms);
    while (!process_.canReadLine()) {
      if (!process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) return QStringLiteral("<timeout>");
    }
    return QString::fromUtf8(process_.readLine()).chopped(1);
  }
  // Skips lines until one starts with the prefix; returns it or "<timeout>".
  QString ReadUntil(const QString& prefix, int ms = 20000) {
    QDeadlineTimer deadline(ms);
    for (;;) {
      const QString line = ReadLine(static_cast<int>(qMax<qint64>(1, deadline.remainingTime())));
      if (line.startsWith(prefix) || line == QLatin1String("<timeout>")) return line;
    }
  }
  QString Ask(const QString& command, int ms = 20000) {
    Write(command);
    return ReadLine(ms);
  }
  QStringList AskList(const QString& command, const QString& count_prefix) {
    Write(command);
    const QString head = ReadUntil(count_prefix);
    QStringList lines{head};
    const int count = head.section(QLatin1Char(' '), 1, 1).toInt();
    for (int i = 0; i < count; ++i) lines << ReadLine();
    return lines;
  }
  // Asks to quit and returns the exit code, -1 when it did not exit.
  int Quit() {
    Write(QStringLiteral("quit"));
    if (!process_.waitForFinished(5000)) return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  QProcess& Process() { return process_; }

 private:
  QProcess process_;
};

// A simulator on the given port (0: any); its first line names the port.
std::unique_ptr<Tool> StartSim(quint16& port, QStringList extra = {}) {
  auto sim = std::make_unique<Tool>("QUINDO_SIM", QStringList{"--port", QString::number(port)} + extra);
  const QString listening = sim->ReadLine(5000);
  if (!listening.startsWith(QLatin1String("listening 127.0.0.1 "))) return nullptr;
  port = static_cast<quint16>(listening.section(QLatin1Char(' '), 2, 2).toUInt());
  return sim;
}

QStringList ServerOptions(quint16 port) {
  return {QStringLiteral("/ServerAddress:127.0.0.1"), QStringLiteral("/ServerPort:%1").arg(port)};
}

// A raw peer of the simulator that has sent the bytes; not connected when
// the simulator did not accept it.
std::unique_ptr<QTcpSocket> Peer(quint16 port, const QByteArray& bytes) {
  auto peer = std::make_unique<QTcpSocket>();
  peer->connectToHost(QHostAddress::LocalHost, port);
  if (peer->waitForConnected(3000)) {
    peer->write(bytes);
    peer->waitForBytesWritten(1000);
  }
  return peer;
}

}  // namespace

class ClientSimTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void clientFollowsTheSimulatorAndRecoversWhenItComesBack() {
    quint16 port = 0;
    auto sim = StartSim(port, {"--sample", "11"});  // the last one, Fire alarms, is enabled
    QVERIFY(sim);
    Tool client("QUINDO_CLIENT", ServerOptions(port));

    QCOMPARE(client.Ask("wait-connected 5000"), QStringLiteral("connected"));
    QCOMPARE(client.Ask("wait-enabled 1 Fire alarms --ms 5000"), QStringLiteral("ok"));
    QStringList list = client.AskList("list", "nodes");
    QCOMPARE(list[0], QStringLiteral("nodes 11"));
    QCOMPARE(list[1], QStringLiteral("K1\t1\tNight shift"));
    QCOMPARE(list[5], QStringLiteral("K5\t2\tBoiler room@Night"));

    QCOMPARE(client.Ask("set 0 night SHIFT"), QStringLiteral("ok"));
    QCOMPARE(client.Ask("wait-enabled 0 Night shift --ms 5000"), QStringLiteral("ok"));
    QCOMPARE(sim->ReadUntil("recv 22"), QStringLiteral("recv 221 00000001"));
    QCOMPARE(sim->AskList("list", "profiles")[1], QStringLiteral("1\t0\tNight shift"));
    QCOMPARE(client.Ask("set 1 Nobody"), QStringLiteral("error: no profile named Nobody"));
    QCOMPARE(client.Ask("frobnicate"), QStringLiteral("error: unknown command"));
    QCOMPARE(client.Ask("wait -1", 3000), QStringLiteral("error: bad time"));  // -1 would be "forever"

    QCOMPARE(sim->Ask("remove 3"), QStringLiteral("ok"));
    QCOMPARE(client.Ask("wait-enabled 0 Day shift --ms 5000"), QStringLiteral("ok"));
    list = client.AskList("list", "nodes");
    QCOMPARE(list[0], QStringLiteral("nodes 10"));
    QVERIFY(!list.join('\n').contains(QLatin1String("K3\t")));

    // The server goes away: the tree empties at once, and the client's
    // attempts every 10 s find the server once it is back on its port.
    QCOMPARE(sim->Quit(), 0);
    sim.reset();
    QCOMPARE(client.Ask("wait 500"), QStringLiteral("ok"));
    QCOMPARE(client.Ask("connected"), QStringLiteral("0"));
    QCOMPARE(client.AskList("list", "nodes"), QStringList{"nodes 0"});
    sim = StartSim(port, {"--sample", "11"});
    QVERIFY(sim);
    QCOMPARE(client.Ask("wait-connected 25000", 30000), QStringLiteral("connected"));
    QCOMPARE(client.Ask("wait-enabled 1 Night shift --ms 5000"), QStringLiteral("ok"));
    QCOMPARE(client.Quit(), 1);  // commands of the session failed
  }

  // The client says "ok" only for what it did: a name that matches nothing,
  // a shared name, a request on a link that is down. wait-synced waits for
  // the profiles themselves; a session with a failure exits 1.
  void clientAnswersForWhatItDidAndExitsOneAfterAFailure() {
    quint16 port = 0;
    auto sim = StartSim(port, {"--sample", "3"});
    QVERIFY(sim);
    Tool client("QUINDO_CLIENT", ServerOptions(port));
    QCOMPARE(client.Ask("wait-synced 5000"), QStringLiteral("synced"));
    QCOMPARE(client.AskList("list", "nodes")[0], QStringLiteral("nodes 3"));
    sim->Write("add 7 night SHIFT enabled");
    sim->Write("add 8 Tab\there\\ enabled");
    sim->Write("add 8 Again");
    QCOMPARE(sim->ReadUntil("error"), QStringLiteral("error: profile 8 exists or cannot be saved"));
    QCOMPARE(client.Ask("wait-enabled 1 Tab\there\\ --ms 5000"), QStringLiteral("ok"));
    const QStringList list = client.AskList("list", "nodes");
    QCOMPARE(list.mid(4), (QStringList{"K7\t1\tnight SHIFT", "K8\t1\tTab\\there\\\\"}));
    QCOMPARE(client.Ask("set 0 Night shift"),
             QStringLiteral("ok: 2 profiles named Night shift; the first in tree order was used"));
    QCOMPARE(sim->ReadUntil("recv 22"), QStringLiteral("recv 221 00000001"));
    QVERIFY(client.Ask("status").startsWith(QStringLiteral("Connected")));  // the answer may be there already
    QCOMPARE(client.Quit(), 0);
    QCOMPARE(sim->Quit(), 0);

    Tool late("QUINDO_CLIENT", ServerOptions(port));  // nobody listens any more
    QCOMPARE(late.Ask("set 1 Night shift"), QStringLiteral("error: no profile named Night shift"));
    QCOMPARE(late.Ask("wait-synced 800"), QStringLiteral("timeout"));
    QVERIFY(late.Ask("status").startsWith(QStringLiteral("Not connected \u2014 Connection refused (127.0.0.1:")));
    QCOMPARE(late.Quit(), 1);

    // Options: help, and no empty start on a missing or bad server.
    const auto run = [](const char* tool, const QStringList& arguments) {
      QProcess process;
      process.setProcessChannelMode(QProcess::MergedChannels);
      process.start(qEnvironmentVariable(tool), arguments);
      process.closeWriteChannel();
      if (!process.waitForFinished(5000)) return QStringLiteral("<hangs>");
      return QString::number(process.exitCode()) + " " + QString::fromUtf8(process.readAll());
    };
    const QString help = run("QUINDO_CLIENT", {"--help"});
    QVERIFY(help.startsWith("0 Usage: quindo-client"));
    QCOMPARE(run("QUINDO_CLIENT", {}), "2 quindo-client: no server: give /ServerAddress:HOST and /ServerPort:PORT (see --help)\n");
    QCOMPARE(run("QUINDO_CLIENT", {"/ServerAddress:h", "/ServerPort:80abc"}),
             "2 quindo-client: bad /ServerPort: value '80abc': give a whole number from 1 to 65535\n");
    QCOMPARE(run("QUINDO_CLIENT", {"/ServerAddress:h", "/ServerPort:80", "-v"}),
             "2 quindo-client: unknown option '-v' (see --help)\n");
    QCOMPARE(run("QUINDO_SIM", {"--sample", "10000"}), "2 quindo-sim: --sample 10000: at most 9 991 profiles\n");
  }

  void simulatorOutlivesGarbageAndHalfFramesAndKeepsChangesOnDisk() {
    QTemporaryDir dir;
    quint16 port = 0;
    auto sim = StartSim(port, {"--data-dir", dir.path(), "--sample", "3"});
    QVERIFY(sim);
    // A length past 2^31 or above the bound: a frame the server cannot cut
    // ends the connection.
    for (const char* hex : {"DC80000000", "DC7FFFFFFF"}) {
      auto peer = Peer(port, QByteArray::fromHex(hex));
      while (peer->state() == QAbstractSocket::ConnectedState) {
        if (!peer->waitForReadyRead(3000) && peer->state() == QAbstractSocket::ConnectedState) QFAIL(hex);
        peer->readAll();
      }
    }
    Peer(port, QByteArray::fromHex("DC00000004000000"))->abort();  // half a frame, then gone

    // A request too short to hold a number and one for a missing profile
    // leave the connection served: the next request and the greeting reply
    // are handled.
    auto peer = Peer(port, QByteArray::fromHex("DC000000020001" "DD00000004000003E7" "DD0000000400000001" "C800000000"));
    QCOMPARE(sim->ReadUntil("recv 221 00000001"), QStringLiteral("recv 221 00000001"));
    QCOMPARE(sim->ReadUntil("recv"), QStringLiteral("recv 200"));
    QByteArray received;
    while (received.size() < 7 && peer->waitForReadyRead(3000)) received += peer->readAll();
    QVERIFY(received.startsWith(QByteArray::fromHex("01000000020008")));
    QCOMPARE(sim->Ask("remove -1"), QStringLiteral("error: Invalid procedure call or argument"));
    // Asking for every profile (about 850 kB here) again and again without
    // reading drops the client instead of buffering the answers without bound.
    quint16 big_port = 0;
    auto big = StartSim(big_port, {"--sample", "2000"});
    QVERIFY(big);
    auto flood = Peer(big_port, QByteArray::fromHex("C800000000").repeated(100));
    QCOMPARE(big->ReadUntil("drop client", 10000), QStringLiteral("drop client: not reading"));
    QCOMPARE(sim->Quit(), 0);

    port = 0;
    sim = StartSim(port, {"--data-dir", dir.path()});
    QVERIFY(sim);
    const QStringList list = sim->AskList("list", "profiles");
    QCOMPARE(list, (QStringList{"profiles 3", "1\t0\tNight shift", "2\t0\tWeekend", "3\t1\tDay shift"}));
    QCOMPARE(sim->Quit(), 0);
  }

  void demoShowsTheSimulatorsProfilesOffscreen() {
    if (qEnvironmentVariableIsEmpty("QUINDO_DEMO")) QSKIP("quindo-demo is not built");
    quint16 port = 0;
    auto sim = StartSim(port, {"--sample", "3"});
    QVERIFY(sim);
    QTemporaryDir dir;
    const QString shot = dir.filePath("shot.png");
    Tool demo("QUINDO_DEMO", QStringList{"--screenshot", shot, "--quit-after", "2500"} + ServerOptions(port));
    QVERIFY(demo.Process().waitForFinished(20000));
    QCOMPARE(demo.Process().exitCode(), 0);
    const QStringList lines = QString::fromUtf8(demo.Process().readAllStandardOutput()).split('\n');
    QCOMPARE(lines.mid(1, 4), (QStringList{"IsConnectedToServer 1", "K1    [x] Night shift",
                                           "K2    [ ] Weekend", "K3    [x] Day shift"}));
    QImage image(shot);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 300 && image.height() >= 200);
    QCOMPARE(sim->Quit(), 0);
  }
};

QTEST_GUILESS_MAIN(ClientSimTest)
#include "client_sim_test.moc"
