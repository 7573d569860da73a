#include "platform/outside_windows.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>

#include <algorithm>
#include <csignal>
#include <optional>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kCallTimeoutMs = 1000;
// A search gives up after this long or this many windows, whatever the
// other programs do.
constexpr int kSearchTimeMs = 3000;
constexpr int kSearchNodes = 5000;

const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");

struct Node {
  QString service;
  QString path;
};

}  // namespace

struct AccessibilityWindows::Impl {
  std::optional<QDBusConnection> bus;
  bool connectTried = false;
  QList<Node> nodes;  // handle k is nodes[k - 1]
  WindowHandle pressed = 0;

  QDBusConnection* connection() {
    if (!connectTried) {
      connectTried = true;
      QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                        QStringLiteral("org.a11y.Bus"), QStringLiteral("GetAddress"));
      const QDBusMessage reply = QDBusConnection::sessionBus().call(ask, QDBus::Block, kCallTimeoutMs);
      if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        QDBusConnection c =
            QDBusConnection::connectToBus(reply.arguments().first().toString(), QStringLiteral("pelmora-accessibility"));
        if (c.isConnected()) bus = c;
      }
    }
    return bus ? &*bus : nullptr;
  }

  QDBusMessage call(const Node& n, const QString& interface, const QString& method, const QVariantList& args = {}) {
    QDBusMessage m = QDBusMessage::createMethodCall(n.service, n.path, interface, method);
    m.setArguments(args);
    return connection()->call(m, QDBus::Block, kCallTimeoutMs);
  }

  QList<Node> children(const Node& n) {
    QList<Node> out;
    const QDBusMessage r = call(n, kAccessible, QStringLiteral("GetChildren"));
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return out;
    const QDBusArgument arg = r.arguments().first().value<QDBusArgument>();
    arg.beginArray();
    while (!arg.atEnd()) {
      QString service;
      QDBusObjectPath path;
      arg.beginStructure();
      arg >> service >> path;
      arg.endStructure();
      out.append({service, path.path()});
    }
    arg.endArray();
    return out;
  }

  QString name(const Node& n) {
    const QDBusMessage r = call(n, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                                {kAccessible, QStringLiteral("Name")});
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return {};
    return r.arguments().first().value<QDBusVariant>().variant().toString();
  }

  WindowHandle handleOf(const Node& n) {
    if (nodes.size() > 100000) nodes.clear();
    nodes.append(n);
    return static_cast<WindowHandle>(nodes.size());
  }

  const Node* nodeOf(WindowHandle h) const {
    if (h == 0 || h > static_cast<WindowHandle>(nodes.size())) return nullptr;
    return &nodes[static_cast<qsizetype>(h - 1)];
  }
};

AccessibilityWindows::AccessibilityWindows() : impl_(new Impl) {}

AccessibilityWindows::~AccessibilityWindows() { delete impl_; }

WindowHandle AccessibilityWindows::findTopLevel(const QString& title) {
  if (!impl_->connection()) return 0;
  QElapsedTimer spent;
  spent.start();
  const Node root{QStringLiteral("org.a11y.atspi.Registry"), QStringLiteral("/org/a11y/atspi/accessible/root")};
  // Children of the root are programs; their children are the top-level windows.
  for (const Node& program : impl_->children(root)) {
    for (const Node& window : impl_->children(program)) {
      if (impl_->name(window) == title) return impl_->handleOf(window);
      if (spent.elapsed() > kSearchTimeMs) return 0;
    }
  }
  return 0;
}

WindowHandle AccessibilityWindows::findChild(WindowHandle parent, const QString& text) {
  const Node* start = impl_->nodeOf(parent);
  if (!start || !impl_->connection()) return 0;
  QElapsedTimer spent;
  spent.start();
  // Depth first, in the order the program lists its children.
  QList<Node> stack = impl_->children(*start);
  std::reverse(stack.begin(), stack.end());
  int visited = 0;
  while (!stack.isEmpty() && visited < kSearchNodes && spent.elapsed() < kSearchTimeMs) {
    const Node n = stack.takeLast();
    ++visited;
    if (impl_->name(n) == text) return impl_->handleOf(n);
    QList<Node> kids = impl_->children(n);
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.append(*it);
  }
  return 0;
}

void AccessibilityWindows::leftButtonDown(WindowHandle window) { impl_->pressed = window; }

void AccessibilityWindows::leftButtonUp(WindowHandle window) {
  // The bus offers a button's action, not the mouse: the press completes on release.
  const Node* n = impl_->nodeOf(window);
  const bool click = n && impl_->pressed == window;
  impl_->pressed = 0;
  if (click && impl_->connection()) impl_->call(*n, QStringLiteral("org.a11y.atspi.Action"), QStringLiteral("DoAction"), {0});
}

void AccessibilityWindows::close(WindowHandle window) {
  const Node* n = impl_->nodeOf(window);
  if (!n || !impl_->connection()) return;
  // The bus has no close command: the program that owns the window is asked to end.
  QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("/org/freedesktop/DBus"),
                                                    QStringLiteral("org.freedesktop.DBus"),
                                                    QStringLiteral("GetConnectionUnixProcessID"));
  ask.setArguments({n->service});
  const QDBusMessage r = impl_->connection()->call(ask, QDBus::Block, kCallTimeoutMs);
  if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return;
  const auto pid = static_cast<pid_t>(r.arguments().first().toUInt());
  if (pid > 1 && pid != ::getpid()) ::kill(pid, SIGTERM);
}

}  // namespace platform
