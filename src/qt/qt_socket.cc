#include "qt/qt_socket.h"

#include <QMetaObject>
#include <QString>
#include <QTcpSocket>

#include "common/error.h"
#include "qt/guarded_call.h"

namespace quindo {

namespace {

// The number the control's host raises when data is sent on a socket that is
// not in a state to send it.
constexpr int32_t kWrongConnectionState = 40006;

}  // namespace

QtSocket::QtSocket(QObject* parent) : QObject(parent), socket_(new QTcpSocket(this)) {
  connect(socket_, &QTcpSocket::connected, this,
          [this] { CallGuarded("Winsock_Quindo_Connect", events_.connected); });
  connect(socket_, &QTcpSocket::readyRead, this,
          [this] { CallGuarded("Winsock_Quindo_DataArrival", events_.data_arrival); });
  connect(socket_, &QTcpSocket::errorOccurred, this,
          [this](QAbstractSocket::SocketError error) {
            // A peer close that Qt reports as an error is still a close.
            OnLinkLost(error != QAbstractSocket::RemoteHostClosedError);
          });
  connect(socket_, &QTcpSocket::disconnected, this, [this] { OnLinkLost(false); });
}

QtSocket::~QtSocket() {
  events_ = {};
  closing_ = true;
  socket_->abort();
}

void QtSocket::SetEvents(Events events) { events_ = std::move(events); }

int32_t QtSocket::State() const {
  switch (socket_->state()) {
    case QAbstractSocket::UnconnectedState: return 0;
    case QAbstractSocket::BoundState: return 1;
    case QAbstractSocket::ListeningState: return 2;
    case QAbstractSocket::HostLookupState: return 4;
    case QAbstractSocket::ConnectingState: return 6;
    case QAbstractSocket::ConnectedState: return kStateConnected;
    case QAbstractSocket::ClosingState: return 8;
  }
  return 0;
}

void QtSocket::Connect(const std::string& host, int32_t port) {
  if (port < 0 || port > 65535) throw Error(kInvalidProcedureCall);
  if (socket_->state() != QAbstractSocket::UnconnectedState) Close();
  ++link_;
  loss_reported_ = false;
  socket_->connectToHost(QString::fromStdString(host), static_cast<quint16>(port));
}

void QtSocket::SendData(const std::string& bytes) {
  if (socket_->state() != QAbstractSocket::ConnectedState) {
    throw Error(kWrongConnectionState, "Wrong protocol or connection state for the requested transaction or request");
  }
  const qint64 written = socket_->write(bytes.data(), static_cast<qint64>(bytes.size()));
  if (written != static_cast<qint64>(bytes.size())) {
    throw Error(kWrongConnectionState, socket_->errorString().toStdString());
  }
}

std::string QtSocket::GetData() {
  const QByteArray data = socket_->readAll();
  return std::string(data.constData(), static_cast<size_t>(data.size()));
}

void QtSocket::Close() {
  // Retire the link first: whatever the old socket still emits, now or from
  // the event loop, belongs to a close the control made.
  ++link_;
  loss_reported_ = true;
  closing_ = true;
  socket_->abort();
  closing_ = false;
}

void QtSocket::OnLinkLost(bool by_error) {
  if (closing_ || loss_reported_) return;
  loss_reported_ = true;
  // Read now: the close that the control makes in its handler resets it.
  error_text_ = by_error ? socket_->errorString().toStdString() : std::string();
  const uint64_t link = link_;
  QMetaObject::invokeMethod(
      this, [this, link, by_error] { DeliverLoss(link, by_error); }, Qt::QueuedConnection);
}

void QtSocket::DeliverLoss(uint64_t link, bool by_error) {
  if (link != link_) return;  // the control closed or reconnected meanwhile
  if (by_error) {
    CallGuarded("Winsock_Quindo_Error", events_.error);
  } else {
    CallGuarded("Winsock_Quindo_Close", events_.closed);
  }
}

}  // namespace quindo
