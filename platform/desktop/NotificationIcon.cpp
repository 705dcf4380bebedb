#include "platform/desktop/NotificationIcon.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QSystemTrayIcon>

#include "platform/desktop/ProgramIcon.h"

namespace Desktop {

namespace {

const QString WatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString WatcherPath = QStringLiteral("/StatusNotifierWatcher");

// On Wayland the only notification areas are StatusNotifierItem hosts, and
// Qt asks once per process whether one is there: an icon made before the
// host arrives never reaches it. So the icon waits for the host. On X11 Qt
// itself embeds a shown icon in a tray that appears later.
bool WaitsForTrayHost() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

bool TrayHostRegistered() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()->isServiceRegistered(WatcherService)) return false;
  QDBusMessage get = QDBusMessage::createMethodCall(
      WatcherService, WatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << WatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusReply<QDBusVariant> reply = bus.call(get);
  return reply.isValid() && reply.value().variant().toBool();
}

}  // namespace

QString TrayTip(const QString& title) { return title.left(63); }

TNotificationIcon::TNotificationIcon(QObject* parent) : QObject(parent) {}

TNotificationIcon::~TNotificationIcon() { Remove(); }

bool TNotificationIcon::Add(const QString& title) {
  title_ = title;
  wanted_ = true;
  if (WaitsForTrayHost() && !TrayHostRegistered()) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto* watcher = new QDBusServiceWatcher(WatcherService, bus, QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TNotificationIcon::TrayHostAppeared);
    bus.connect(WatcherService, WatcherPath, WatcherService, QStringLiteral("StatusNotifierHostRegistered"), this,
                SLOT(TrayHostAppeared()));
    return false;
  }
  ShowIcon();
  return IsShown();
}

void TNotificationIcon::TrayHostAppeared() {
  if (wanted_ && icon_ == nullptr && TrayHostRegistered()) ShowIcon();
}

void TNotificationIcon::ShowIcon() {
  if (icon_ == nullptr) {
    icon_ = new QSystemTrayIcon(ProgramIcon(), this);
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
      if (reason == QSystemTrayIcon::Trigger) emit LeftButtonPressed();
    });
  }
  icon_->setToolTip(TrayTip(title_));
  icon_->show();
}

void TNotificationIcon::Remove() {
  wanted_ = false;
  if (icon_ != nullptr) icon_->hide();
}

bool TNotificationIcon::IsShown() const {
  return icon_ != nullptr && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace Desktop
