#include "tools/client/client_shell.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include "common/error.h"
#include "control/active_profiles.h"
#include "control/memory_tree_view.h"

namespace quindo {

namespace {

constexpr int kDefaultWaitMs = 15000;
constexpr int kPollMs = 10;
// The first burst of reports has ended once the server is this long silent.
constexpr int kSyncedQuietMs = 200;

// The line after its first `words` words, each ended by one blank; names
// keep their own blanks this way.
QString RestAfterWords(const QString& line, int words) {
  int at = 0;
  for (int i = 0; i < words; ++i) {
    at = line.indexOf(QLatin1Char(' '), at);
    if (at < 0) return {};
    ++at;
  }
  return line.mid(at);
}

bool ParseInt(const QString& text, int& value) {
  bool ok = false;
  value = text.toInt(&ok);
  return ok;
}

// A wait of -1 ms would never end (a deadline of -1 means "forever"), so
// negative times are refused.
bool ParseTime(const QString& text, int& milliseconds) {
  return ParseInt(text, milliseconds) && milliseconds >= 0;
}

// A name on one line of its own: the separators of `list` escaped.
QString Escaped(const QString& name) {
  QString text;
  text.reserve(name.size());
  for (const QChar c : name) {
    switch (c.unicode()) {
      case '\\': text += QLatin1String("\\\\"); break;
      case '\t': text += QLatin1String("\\t"); break;
      case '\n': text += QLatin1String("\\n"); break;
      case '\r': text += QLatin1String("\\r"); break;
      default: text += c;
    }
  }
  return text;
}

QString ErrorText(const std::exception& e) {
  if (const auto* error = dynamic_cast<const Error*>(&e)) {
    return QStringLiteral("error: %1 %2").arg(error->Number()).arg(QString::fromStdString(error->Description()));
  }
  return QStringLiteral("error: ") + QString::fromUtf8(e.what());
}

}  // namespace

ClientShell::ClientShell(ActiveProfiles& control, MemoryTreeView& tree, std::ostream& out, QObject* parent)
    : QObject(parent), control_(control), tree_(tree), out_(out) {}

void ClientShell::AddLine(const QString& line) {
  queue_.enqueue(line);
  RunQueue();
}

void ClientShell::EndOfInput() {
  input_ended_ = true;
  RunQueue();
}

void ClientShell::RunQueue() {
  if (running_ || done_) return;
  running_ = true;
  while (!done_ && !queue_.isEmpty()) {
    if (!Execute(queue_.dequeue())) Finish();
  }
  running_ = false;
  if (!done_ && input_ended_) Finish();
}

void ClientShell::Finish() {
  done_ = true;
  Q_EMIT finished(failed_ ? 1 : 0);
}

void ClientShell::Answer(const QString& text) {
  if (text.startsWith(QLatin1String("error")) || text.startsWith(QLatin1String("timeout"))) failed_ = true;
  out_ << text.toStdString() << '\n' << std::flush;
}

void ClientShell::ObserveControl() {
  const bool up = control_.IsConnectedToServer() == 1;
  const int64_t count = control_.ProfileMessageCount();
  if (up != link_up_) {
    link_up_ = up;
    messages_on_link_ = 0;
    messages_seen_ = count;
  }
  if (count != messages_seen_) {
    messages_on_link_ += count - messages_seen_;
    messages_seen_ = count;
    since_message_.start();
  }
}

bool ClientShell::WaitUntil(const std::function<bool()>& condition, int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  QEventLoop loop;
  QTimer poll;
  poll.setInterval(kPollMs);
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (condition() || deadline.hasExpired()) loop.quit();
  });
  if (condition()) return true;
  poll.start();
  loop.exec();
  return condition();
}

bool ClientShell::Execute(const QString& line) {
  const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  const QString command = words.value(0);
  if (command == QLatin1String("quit")) return false;
  try {
    RunCommand(command, words, line);
  } catch (const std::exception& e) {
    Answer(ErrorText(e));
  }
  return true;
}

void ClientShell::RunCommand(const QString& command, const QStringList& words, const QString& line) {
  int number = 0;
  if (command == QLatin1String("connected") && words.size() == 1) {
    Answer(QString::number(control_.IsConnectedToServer()));
  } else if (command == QLatin1String("wait-connected") && words.size() <= 2) {
    number = kDefaultWaitMs;
    if (words.size() == 2 && !ParseTime(words[1], number)) return Answer(QStringLiteral("error: bad time"));
    const bool up = WaitUntil([this] { return control_.IsConnectedToServer() == 1; }, number);
    Answer(up ? QStringLiteral("connected") : QStringLiteral("timeout"));
  } else if (command == QLatin1String("list") && words.size() == 1) {
    ListNodes();
  } else if (command == QLatin1String("enabled") && words.size() >= 2) {
    Answer(QString::number(control_.IsProfileEnabled(RestAfterWords(line, 1).toStdString())));
  } else if (command == QLatin1String("wait-synced") && words.size() <= 2) {
    WaitSynced(words);
  } else if (command == QLatin1String("status") && words.size() == 1) {
    Status();
  } else if (command == QLatin1String("set") && words.size() >= 3) {
    Set(words, line);
  } else if (command == QLatin1String("wait-enabled") && words.size() >= 3) {
    WaitEnabled(words, line);
  } else if (command == QLatin1String("wait") && words.size() == 2) {
    if (!ParseTime(words[1], number)) return Answer(QStringLiteral("error: bad time"));
    WaitUntil([] { return false; }, number);
    Answer(QStringLiteral("ok"));
  } else if (command == QLatin1String("address")) {
    if (words.size() >= 2) control_.SetServerAddress(RestAfterWords(line, 1).toStdString());
    Answer(QString::fromStdString(control_.ServerAddress()));
  } else if (command == QLatin1String("port") && words.size() <= 2) {
    if (words.size() == 2) {
      if (!ParseInt(words[1], number)) return Answer(QStringLiteral("error: bad port"));
      control_.SetServerPort(number);
    }
    Answer(QString::number(control_.ServerPort()));
  } else if (command == QLatin1String("select") && words.size() == 2) {
    tree_.Select(words[1].toStdString());
    Answer(QStringLiteral("ok"));
  } else if (command == QLatin1String("click")) {
    Click(words);
  } else {
    Answer(QStringLiteral("error: unknown command"));
  }
}

void ClientShell::ListNodes() {
  const std::vector<TreeNode> nodes = tree_.Nodes();
  QString answer = QStringLiteral("nodes %1").arg(nodes.size());
  for (const TreeNode& node : nodes) {
    answer += QStringLiteral("\n%1\t%2\t%3")
                  .arg(QString::fromStdString(node.key))
                  .arg(node.image)
                  .arg(Escaped(QString::fromStdString(node.text)));
  }
  Answer(answer);
}

// set VALUE NAME: says so when no profile has the name, when the request
// cannot go out, and when other profiles share the name.
void ClientShell::Set(const QStringList& words, const QString& line) {
  int value = 0;
  if (!ParseInt(words[1], value)) return Answer(QStringLiteral("error: bad value"));
  const QString name = RestAfterWords(line, 2);
  const std::vector<std::string> keys = control_.KeysOfProfilesNamed(name.toStdString());
  if (keys.empty()) return Answer(QStringLiteral("error: no profile named ") + name);
  if (control_.IsConnectedToServer() == 0) return Answer(QStringLiteral("error: not connected"));
  control_.ProfileEnableOrDisable(name.toStdString(), value);
  if (!control_.IsRequestPending(keys.front())) return Answer(QStringLiteral("error: the request could not be sent"));
  if (keys.size() == 1) return Answer(QStringLiteral("ok"));
  Answer(QStringLiteral("ok: %1 profiles named %2; the first in tree order was used").arg(keys.size()).arg(name));
}

// wait-synced [MS]: the link is up and its first burst of reports is over.
void ClientShell::WaitSynced(const QStringList& words) {
  int ms = kDefaultWaitMs;
  if (words.size() == 2 && !ParseTime(words[1], ms)) return Answer(QStringLiteral("error: bad time"));
  const bool synced = WaitUntil(
      [this] {
        ObserveControl();
        return link_up_ && messages_on_link_ > 0 && since_message_.elapsed() >= kSyncedQuietMs;
      },
      ms);
  Answer(synced ? QStringLiteral("synced") : QStringLiteral("timeout"));
}

void ClientShell::Status() {
  const QString requests = QString::fromStdString(control_.RequestStatusText());
  QString link = control_.IsConnectedToServer() == 1
                     ? QStringLiteral("Connected")
                     : QStringLiteral("Not connected \u2014 ") + QString::fromStdString(control_.LinkStatusText());
  Answer(requests.isEmpty() ? link : link + QStringLiteral("; ") + requests);
}

// wait-enabled VALUE NAME [--ms MS]: VALUE non-zero waits for 1, else for 0.
void ClientShell::WaitEnabled(const QStringList& words, const QString& line) {
  int value = 0;
  if (!ParseInt(words[1], value)) return Answer(QStringLiteral("error: bad value"));
  int ms = kDefaultWaitMs;
  QString name_text = RestAfterWords(line, 2);
  if (words.size() >= 5 && words[words.size() - 2] == QLatin1String("--ms")) {
    if (!ParseTime(words.last(), ms)) return Answer(QStringLiteral("error: bad time"));
    name_text.truncate(name_text.lastIndexOf(QLatin1String(" --ms ")));
  }
  const std::string name = name_text.toStdString();
  const int32_t wanted = value != 0 ? 1 : 0;
  const bool reached = WaitUntil([&] { return control_.IsProfileEnabled(name) == wanted; }, ms);
  Answer(reached ? QStringLiteral("ok") : QStringLiteral("timeout"));
}

// click [ctrl|shift|alt]...: a left-button press with that shift state, then
// the click, as a user's mouse gives them to the tree.
void ClientShell::Click(const QStringList& words) {
  int16_t shift = 0;
  for (int i = 1; i < words.size(); ++i) {
    const QString key = words[i].toLower();
    if (key == QLatin1String("shift")) {
      shift |= 1;
    } else if (key == QLatin1String("ctrl")) {
      shift |= 2;
    } else if (key == QLatin1String("alt")) {
      shift |= 4;
    } else {
      return Answer(QStringLiteral("error: unknown key ") + words[i]);
    }
  }
  control_.TreeView_Profiles_MouseDown(1, shift, 0, 0);
  control_.TreeView_Profiles_Click();
  Answer(QStringLiteral("ok"));
}

}  // namespace quindo
