#pragma once
// The alarm server as the control meets it: greets every client with its
// protocol level, answers the greeting reply (200) with every profile, and
// carries out enable (220) and disable (221) requests, reporting the changed
// profile to every client. Every received frame is logged as
// "recv TYPE BODY-HEX". A client that sends a frame the server cannot cut
// (a bad length, or a body above the bound) is dropped; one that disconnects
// mid-frame just goes.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include <QHostAddress>
#include <QObject>

#include "protocol/frame.h"

class QTcpServer;
class QTcpSocket;

namespace quindo {

class ProfileStore;
class cProfile;

class SimServer : public QObject {
  Q_OBJECT

 public:
  // A client never sends a body this long; anything above is garbage.
  static constexpr int64_t kMaximumBody = 64 * 1024;
  // Answers still unsent to a client when it makes its next request. A
  // client that keeps asking without reading (a greeting reply brings every
  // profile) would otherwise make the server buffer without bound; it is
  // dropped instead. One answer of any size is always sent.
  static constexpr qint64 kMaximumBacklog = 16 * 1024 * 1024;

  SimServer(ProfileStore& store, int16_t level, std::ostream& log, QObject* parent = nullptr);
  ~SimServer() override;

  bool Listen(const QHostAddress& address, quint16 port);
  QString ErrorString() const;
  quint16 Port() const;
  int ClientCount() const { return static_cast<int>(clients_.size()); }

  // Type 210 for the profile to every client; false for an unknown number.
  bool ReportProfile(int32_t number);
  // Type 211 for the number to every client, and the profile is no longer
  // served. A negative number cannot be sent and raises 5.
  void RemoveProfile(int32_t number);

 private:
  struct Client {
    FrameBuffer buffer;
  };

  void OnNewConnection();
  void OnReadyRead(QTcpSocket* socket);
  void Drop(QTcpSocket* socket);
  // Closes the connection and drops the client, with a log line.
  void Disconnect(QTcpSocket* socket, const std::string& reason);
  void Handle(QTcpSocket* socket, int16_t type, const std::string& body);
  void SetEnabled(const std::string& body, bool enabled);
  // The profile's message body; false, with a log line, when it has none.
  bool ProfileBody(const cProfile& profile, std::string& body);
  void Send(QTcpSocket* socket, int16_t type, const std::string& body);
  void SendToAll(int16_t type, const std::string& body);

  ProfileStore& store_;
  int16_t level_;
  std::ostream& log_;
  QTcpServer* server_;
  std::map<QTcpSocket*, std::unique_ptr<Client>> clients_;
};

}  // namespace quindo
