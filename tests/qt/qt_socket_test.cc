// The socket and timer adapters on their own: one event per lost link and
// none for a close the control makes, failures that never reach Qt, and
// ticks that can come faster than the interval the control reads.

#include <QTcpServer>
#include <QTest>

#include "common/error.h"
#include "common/language.h"
#include "qt/command_line.h"
#include "qt/qt_socket.h"
#include "qt/qt_timer.h"
#include "test_peer.h"

using quindo::QtSocket;
using quindo::QtTimer;
using quindo::testing::TestPeer;

class QtSocketTest : public QObject {
  Q_OBJECT

 private:
  int connected_ = 0, closed_ = 0, error_ = 0, data_ = 0;
  QStringList reports_;
  std::unique_ptr<QtSocket> socket_;

 private Q_SLOTS:
  void init() {
    connected_ = closed_ = error_ = data_ = 0;
    reports_.clear();
    quindo::SetReportErrorHandler([this](const std::string& m) { reports_ << QString::fromStdString(m); });
    socket_ = std::make_unique<QtSocket>();
    socket_->SetEvents(QtSocket::Events{
        [this] { ++connected_; },
        [this] {
          ++closed_;
          socket_->Close();  // as the control does
        },
        [this] {
          ++error_;
          throw quindo::Error(quindo::kOverflow);  // a control failing in its handler
        },
        [this] { ++data_; },
    });
  }
  void cleanup() {
    socket_.reset();
    quindo::SetReportErrorHandler({});
  }

  void ownCloseIsSilentAndAPeerCloseOfTheNextLinkIsOneClosedEvent() {
    TestPeer peer;
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(connected_, 1);
    QTRY_COMPARE(peer.Connections(), 1);
    socket_->Close();
    QTRY_VERIFY(!peer.LastIsOpen());
    QTest::qWait(50);
    QCOMPARE(closed_ + error_, 0);

    // The new link's loss is reported once, though the handler closes too.
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(connected_, 2);
    QTRY_COMPARE(peer.Connections(), 2);
    QCOMPARE(socket_->State(), 7);
    peer.Send("ab");
    QTRY_COMPARE(data_, 1);
    QCOMPARE(socket_->GetData(), std::string("ab"));
    peer.Last()->close();
    QTRY_COMPARE(closed_, 1);
    QTest::qWait(50);
    QCOMPARE(closed_, 1);
    QCOMPARE(error_, 0);
    QCOMPARE(socket_->State(), 0);
  }

  void refusedConnectionIsOneErrorEventAndItsHandlerFailureIsReported() {
    QVERIFY_THROWS_EXCEPTION(quindo::Error, socket_->SendData("x"));  // not connected
    QVERIFY_THROWS_EXCEPTION(quindo::Error, socket_->Connect("127.0.0.1", 65536));
    quint16 port = 0;
    {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      port = closed.serverPort();
    }
    socket_->Connect("127.0.0.1", port);
    QTRY_COMPARE(error_, 1);
    QTest::qWait(50);
    QCOMPARE(error_, 1);
    QCOMPARE(closed_, 0);
    QVERIFY(socket_->State() != 7);
    QCOMPARE(reports_, QStringList{"Winsock_Quindo_Error: Err:6 Overflow"});
  }

  void ticksCanComeFasterThanTheIntervalTheControlReads() {
    QtTimer timer(500);
    int ticks = 0;
    timer.SetTick([&] { ++ticks; });
    timer.SetTickPeriod(10);
    QCOMPARE(timer.Interval(), 500);
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 5, 400);
    timer.SetInterval(0);  // a timer without interval never fires
    const int stopped_at = ticks;
    QTest::qWait(50);
    QCOMPARE(ticks, stopped_at);
    QVERIFY(timer.IsEnabled());
    QVERIFY_THROWS_EXCEPTION(quindo::Error, timer.SetInterval(-1));
  }

  void commandLineIsTheArgumentsAfterTheProgramAsGiven() {
    QCOMPARE(quindo::JoinCommandLine({"/usr/bin/host", "/ServerAddress:\"my", "host/1\"", "/ServerPort:80"}),
             std::string("/ServerAddress:\"my host/1\" /ServerPort:80"));
    QCOMPARE(quindo::JoinCommandLine({"/usr/bin/host"}), std::string());
  }
};

QTEST_MAIN(QtSocketTest)
#include "qt_socket_test.moc"
