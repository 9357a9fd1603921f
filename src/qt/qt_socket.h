#pragma once
// Winsock_Quindo on a QTcpSocket.
//
// Qt reports more than the control wants to hear: `disconnected` also follows
// a close that the control made itself, and one peer close may come as an
// error (RemoteHostClosedError) followed by `disconnected`. The control must
// see exactly one closed or error event per lost link and none for its own
// close, so every connection attempt is a numbered "link"; the first loss of
// a link is delivered once, and Close() retires the link so that nothing the
// old socket still emits reaches the control.
//
// The loss is delivered from the event loop rather than from inside Qt's
// signal, because the control closes (and may later reconnect) the socket in
// its handler, which Qt does not allow while it is still emitting the error.
// The other events are delivered directly. Every delivery is guarded: an
// exception of the control goes to ReportError, never into Qt.

#include <cstdint>
#include <functional>
#include <string>

#include <QAbstractSocket>
#include <QObject>

#include "common/export.h"
#include "control/child_controls.h"

class QTcpSocket;

namespace quindo {

class QUINDO_EXPORT QtSocket : public QObject, public Socket {
  Q_OBJECT

 public:
  struct Events {
    std::function<void()> connected;
    std::function<void()> closed;  // closed by the peer
    std::function<void()> error;
    std::function<void()> data_arrival;
  };

  explicit QtSocket(QObject* parent = nullptr);
  ~QtSocket() override;

  void SetEvents(Events events);

  // 0 closed, 1 open, 2 listening, 4 resolving, 6 connecting, 7 connected,
  // 8 closing: the numbers a host of the control knows from its socket.
  int32_t State() const override;
  void Connect(const std::string& host, int32_t port) override;
  // One write of the whole frame; raises when the socket refuses it.
  void SendData(const std::string& bytes) override;
  std::string GetData() override;
  void Close() override;
  // The description of the error that lost the last link ("Connection
  // refused"); empty after a close by the peer.
  std::string ErrorText() const override { return error_text_; }

  QTcpSocket& Channel() { return *socket_; }

 private:
  void OnLinkLost(bool by_error);
  void DeliverLoss(uint64_t link, bool by_error);

  QTcpSocket* socket_;
  Events events_;
  uint64_t link_ = 0;            // number of the current connection attempt
  bool loss_reported_ = false;   // the current link's loss is on its way
  bool closing_ = false;         // inside our own Close()
  std::string error_text_;
};

}  // namespace quindo
