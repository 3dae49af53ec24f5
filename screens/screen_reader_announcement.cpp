#include "screens/screen_reader_announcement.h"

#include <QAccessible>
#include <QtGlobal>

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#endif

namespace volantra {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void AnnounceToScreenReader(QObject* source, const QString& text) {
    QAccessibleAnnouncementEvent event(source, text);
    QAccessible::updateAccessibility(&event);
}

#else

namespace {

// Before Qt 6.8 there is no announcement event, and Orca ignores every event Qt sends for
// a changed text. It does speak a description change of the focused control when the
// signal carries the text itself, which Qt's own signal does not: so the signal is sent
// as Qt's AT-SPI bridge sends its own, on the bridge's connection and object paths.
const QString BRIDGE_CONNECTION = QStringLiteral("a11y");
const QString OBJECT_PATH_PREFIX = QStringLiteral("/org/a11y/atspi/accessible/");
const QString ROOT_PATH = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString OBJECT_EVENTS = QStringLiteral("org.a11y.atspi.Event.Object");

}  // namespace

void AnnounceToScreenReader(QObject* source, const QString& text) {
    if (!QAccessible::isActive()) {
        return;
    }
    const QDBusConnection bridge(BRIDGE_CONNECTION);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(source);
    if (!bridge.isConnected() || accessible == nullptr) {
        return;
    }
    const QString path = OBJECT_PATH_PREFIX + QString::number(QAccessible::uniqueId(accessible));
    QDBusArgument application;  // the (so) reference to the application, as Qt sends it
    application.beginStructure();
    application << bridge.baseService() << QDBusObjectPath(ROOT_PATH);
    application.endStructure();
    QDBusMessage signal =
        QDBusMessage::createSignal(path, OBJECT_EVENTS, QStringLiteral("PropertyChange"));
    signal << QStringLiteral("accessible-description") << 0 << 0
           << QVariant::fromValue(QDBusVariant(text)) << QVariant::fromValue(application);
    bridge.send(signal);
}

#endif

}  // namespace volantra
