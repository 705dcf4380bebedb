#include "platform/desktop/NotificationIcon.h"

#include <QSystemTrayIcon>

#include "platform/desktop/ProgramIcon.h"

namespace Desktop {

QString TrayTip(const QString& title) { return title.left(63); }

TNotificationIcon::TNotificationIcon(QObject* parent) : QObject(parent), icon_(new QSystemTrayIcon(this)) {
  icon_->setIcon(ProgramIcon());
  connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) emit LeftButtonPressed();
  });
}

TNotificationIcon::~TNotificationIcon() { Remove(); }

bool TNotificationIcon::Add(const QString& title) {
  if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
  icon_->setToolTip(TrayTip(title));
  icon_->show();
  return icon_->isVisible();
}

void TNotificationIcon::Remove() { icon_->hide(); }

bool TNotificationIcon::IsShown() const { return icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable(); }

}  // namespace Desktop
