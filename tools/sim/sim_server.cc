#include "tools/sim/sim_server.h"

#include <vector>

#include <QTcpServer>
#include <QTcpSocket>

#include "common/error.h"
#include "model/profile/profile.h"
#include "protocol/field_codec.h"
#include "protocol/profile_message.h"
#include "tools/sim/profile_store.h"

namespace quindo {

namespace {

std::string Hex(const std::string& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(bytes.size() * 2);
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

}  // namespace

bool SimServer::ProfileBody(const cProfile& profile, std::string& body) {
  try {
    body = ComposeProfileMessage(profile);
    return true;
  } catch (const Error& e) {
    log_ << "cannot send profile " << profile.m_DiskIdentity << ": " << e.Description() << std::endl;
    return false;
  }
}

SimServer::SimServer(ProfileStore& store, int16_t level, std::ostream& log, QObject* parent)
    : QObject(parent), store_(store), level_(level), log_(log), server_(new QTcpServer(this)) {
  connect(server_, &QTcpServer::newConnection, this, &SimServer::OnNewConnection);
}

SimServer::~SimServer() {
  for (auto& [socket, client] : clients_) socket->disconnect(this);
}

bool SimServer::Listen(const QHostAddress& address, quint16 port) {
  return server_->listen(address, port);
}

QString SimServer::ErrorString() const { return server_->errorString(); }

quint16 SimServer::Port() const { return server_->serverPort(); }

void SimServer::OnNewConnection() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    auto client = std::make_unique<Client>();
    client->buffer.SetMaximumBody(kMaximumBody);
    clients_[socket] = std::move(client);
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Drop(socket); });
    std::string greeting;
    AppendInteger(greeting, level_);
    Send(socket, kGreeting, greeting);
  }
}

void SimServer::OnReadyRead(QTcpSocket* socket) {
  const auto it = clients_.find(socket);
  if (it == clients_.end()) return;
  FrameBuffer& buffer = it->second->buffer;
  const QByteArray data = socket->readAll();
  buffer.Append(std::string_view(data.constData(), static_cast<size_t>(data.size())));
  try {
    int16_t type = 0;
    std::string body;
    while (buffer.CutFrame(type, body)) {
      log_ << "recv " << type << (body.empty() ? "" : " ") << Hex(body) << std::endl;
      if (socket->bytesToWrite() > kMaximumBacklog) return Disconnect(socket, "not reading");
      Handle(socket, type, body);
      if (clients_.count(socket) == 0) return;  // dropped while handling
    }
    buffer.Compact();
  } catch (const Error& e) {
    Disconnect(socket, e.Description());
  }
}

void SimServer::Disconnect(QTcpSocket* socket, const std::string& reason) {
  log_ << "drop client: " << reason << std::endl;
  socket->abort();
  Drop(socket);
}

void SimServer::Drop(QTcpSocket* socket) {
  if (clients_.erase(socket) == 0) return;
  socket->disconnect(this);
  socket->deleteLater();
}

void SimServer::Handle(QTcpSocket* socket, int16_t type, const std::string& body) {
  switch (type) {
    case kGreetingReply:
      for (const cProfile* profile : store_.All()) {
        std::string body_out;
        if (ProfileBody(*profile, body_out)) Send(socket, kProfileUpdate, body_out);
      }
      break;
    case kEnableProfile:
      SetEnabled(body, true);
      break;
    case kDisableProfile:
      SetEnabled(body, false);
      break;
    default:
      break;  // keep-alives and anything else need no answer
  }
}

void SimServer::SetEnabled(const std::string& body, bool enabled) {
  int32_t cursor = 0;
  int32_t number = 0;
  try {
    number = ExtractLong(body, cursor);
  } catch (const Error& e) {
    log_ << "bad request: " << e.Description() << std::endl;
    return;
  }
  if (store_.Find(number) == nullptr) {
    log_ << "no profile " << number << std::endl;
    return;
  }
  if (!store_.SetEnabled(number, enabled)) log_ << "could not save profile " << number << std::endl;
  ReportProfile(number);
}

bool SimServer::ReportProfile(int32_t number) {
  const cProfile* profile = store_.Find(number);
  std::string body;
  if (profile == nullptr || !ProfileBody(*profile, body)) return false;
  SendToAll(kProfileUpdate, body);
  return true;
}

void SimServer::RemoveProfile(int32_t number) {
  const std::string body = ComposeLong(number);  // raises for a negative number
  store_.Remove(number);
  SendToAll(kProfileRemoved, body);
}

void SimServer::Send(QTcpSocket* socket, int16_t type, const std::string& body) {
  const std::string frame = ComposeFrame(type, body);
  socket->write(frame.data(), static_cast<qint64>(frame.size()));
}

void SimServer::SendToAll(int16_t type, const std::string& body) {
  const std::string frame = ComposeFrame(type, body);
  std::vector<QTcpSocket*> stalled;
  for (const auto& [socket, client] : clients_) {
    if (socket->bytesToWrite() > kMaximumBacklog) {
      stalled.push_back(socket);
    } else {
      socket->write(frame.data(), static_cast<qint64>(frame.size()));
    }
  }
  for (QTcpSocket* socket : stalled) Disconnect(socket, "not reading");
}

}  // namespace quindo
