#include "platform/desktop/DisplayConnection.h"

#include <fcntl.h>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client-core.h>
#include <xcb/xcb.h>

#include <QGuiApplication>

namespace Desktop {

namespace {

int ConnectionFd() {
  const QString platform = QGuiApplication::platformName();
  if (platform == QLatin1String("xcb")) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    return connection != nullptr ? xcb_get_file_descriptor(connection) : -1;
  }
  if (platform.startsWith(QLatin1String("wayland"))) {
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display =
        native != nullptr
            ? static_cast<wl_display*>(native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
            : nullptr;
    return display != nullptr ? wl_display_get_fd(display) : -1;
  }
  return -1;
}

}  // namespace

int DuplicateDisplayConnection() {
  const int fd = ConnectionFd();
  return fd < 0 ? -1 : fcntl(fd, F_DUPFD_CLOEXEC, 0);
}

}  // namespace Desktop
