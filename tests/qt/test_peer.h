#pragma once
// A loopback server on an ephemeral port that plays the alarm server for the
// widget tests: it records every byte each connection sends and can send
// frames and close a connection. Frame and profile bodies come from the
// protocol's own writers, so the tests speak exactly the wire format.

#include <cstdint>
#include <string>
#include <vector>

#include <QByteArray>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include "protocol/frame.h"
#include "wire_bytes.h"

namespace quindo::testing {

inline QByteArray Bytes(const std::string& bytes) {
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline QByteArray Frame(int16_t type, const QByteArray& body = {}) {
  return Bytes(ComposeFrame(type, std::string_view(body.constData(), static_cast<size_t>(body.size()))));
}

inline QByteArray ProfileFrame(int16_t number, const std::string& name, bool enabled) {
  return Frame(kProfileUpdate, Bytes(ProfileBody(number, enabled, name)));
}

inline QByteArray Greeting(int16_t level) {
  return QByteArray::fromHex(QByteArray("0100000002")) + char((level >> 8) & 0xFF) + char(level & 0xFF);
}

class TestPeer : public QObject {
 public:
  TestPeer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        const int index = static_cast<int>(connections_.size());
        connections_.append(socket);
        received_.append(QByteArray());
        connect(socket, &QTcpSocket::readyRead, this,
                [this, socket, index] { received_[index] += socket->readAll(); });
      }
    });
  }

  quint16 Port() const { return server_.serverPort(); }
  std::string CommandLine() const {
    return "/ServerAddress:127.0.0.1 /ServerPort:" + std::to_string(Port());
  }
  int Connections() const { return static_cast<int>(connections_.size()); }
  QTcpSocket* Last() const { return connections_.isEmpty() ? nullptr : connections_.last().data(); }
  // Everything the last connection has sent so far.
  QByteArray Received() const { return received_.isEmpty() ? QByteArray() : received_.last(); }
  void ClearReceived() {
    if (!received_.isEmpty()) received_.last().clear();
  }
  void Send(const QByteArray& bytes) {
    Last()->write(bytes);
    Last()->flush();
  }
  bool LastIsOpen() const {
    return Last() != nullptr && Last()->state() == QAbstractSocket::ConnectedState;
  }

 private:
  QTcpServer server_;
  QList<QPointer<QTcpSocket>> connections_;
  QList<QByteArray> received_;
};

}  // namespace quindo::testing
