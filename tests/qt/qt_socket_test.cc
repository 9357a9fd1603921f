// The socket and timer adapters on their own: one event per lost link and
// none for a close the control makes, failures that never reach Qt, and
// ticks that can come faster than the interval the control reads.

#include <QElapsedTimer>
#include <QSignalSpy>
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
  struct Counts {
    int connected = 0, closed = 0, error = 0, data = 0;
  };
  Counts counts_;
  QStringList reports_;
  std::unique_ptr<QtSocket> socket_;
  std::function<void()> on_closed_;

  void MakeSocket() {
    socket_ = std::make_unique<QtSocket>();
    socket_->SetEvents(QtSocket::Events{
        [this] { ++counts_.connected; },
        [this] {
          ++counts_.closed;
          if (on_closed_) on_closed_();
        },
        [this] { ++counts_.error; },
        [this] { ++counts_.data; },
    });
  }

 private Q_SLOTS:
  void init() {
    counts_ = {};
    reports_.clear();
    on_closed_ = nullptr;
    quindo::SetReportErrorHandler([this](const std::string& m) { reports_ << QString::fromStdString(m); });
    MakeSocket();
  }
  void cleanup() {
    socket_.reset();
    quindo::SetReportErrorHandler({});
  }

  void peerCloseIsOneClosedEventEvenWhenTheHandlerClosesToo() {
    TestPeer peer;
    on_closed_ = [this] { socket_->Close(); };  // as the control does
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(counts_.connected, 1);
    QCOMPARE(socket_->State(), 7);
    peer.Send("ab");
    QTRY_COMPARE(counts_.data, 1);
    QCOMPARE(socket_->GetData(), std::string("ab"));
    peer.Last()->close();
    QTRY_COMPARE(counts_.closed, 1);
    QTest::qWait(50);
    QCOMPARE(counts_.closed, 1);
    QCOMPARE(counts_.error, 0);
    QCOMPARE(socket_->State(), 0);
  }

  void ownCloseDeliversNoEvent() {
    TestPeer peer;
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(counts_.connected, 1);
    QTRY_COMPARE(peer.Connections(), 1);
    socket_->Close();
    QTRY_VERIFY(!peer.LastIsOpen());
    QTest::qWait(50);
    QCOMPARE(counts_.closed + counts_.error, 0);

    // Reconnecting and losing the new link reports that loss only.
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(counts_.connected, 2);
    QTRY_COMPARE(peer.Connections(), 2);
    peer.Last()->abort();
    QTRY_COMPARE(counts_.closed + counts_.error, 1);
  }

  void refusedConnectionIsOneErrorEvent() {
    quint16 port = 0;
    {
      QTcpServer closed;
      QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
      port = closed.serverPort();
    }
    socket_->Connect("127.0.0.1", port);
    QTRY_COMPARE(counts_.error, 1);
    QTest::qWait(50);
    QCOMPARE(counts_.error, 1);
    QCOMPARE(counts_.closed, 0);
    QVERIFY(socket_->State() != 7);
  }

  void sendingWritesTheWholeFrameOrRaises() {
    QVERIFY_THROWS_EXCEPTION(quindo::Error, socket_->SendData("x"));
    TestPeer peer;
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(counts_.connected, 1);
    socket_->SendData(std::string("\xDC\x00\x00\x00\x04\x00\x00\x00\x0C", 9));
    QTRY_COMPARE(peer.Received(), QByteArray::fromHex("DC000000040000000C"));
    QVERIFY_THROWS_EXCEPTION(quindo::Error, socket_->Connect("127.0.0.1", 65536));
  }

  void handlerFailuresAreReportedNotThrownIntoQt() {
    socket_->SetEvents(QtSocket::Events{[] { throw quindo::Error(quindo::kOverflow); }, {}, {}, {}});
    TestPeer peer;
    socket_->Connect("127.0.0.1", peer.Port());
    QTRY_COMPARE(reports_.size(), 1);
    QCOMPARE(reports_.first(), QStringLiteral("Winsock_Quindo_Connect: Err:6 Overflow"));
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
