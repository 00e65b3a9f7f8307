#include "shell/display_check.h"

#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace tivora {

namespace {

// A local X display (":1", ":1.0", "unix:1") is served through a socket in /tmp/.X11-unix; when
// that is missing the server is not running. Remote displays ("host:0") cannot be checked here.
bool localXServerMissing(const QString& display) {
    static const QRegularExpression local(uR"(^(?:unix)?:(\d+)(?:\.\d+)?$)"_s);
    const QRegularExpressionMatch match = local.match(display);
    return match.hasMatch() && !QFileInfo::exists(u"/tmp/.X11-unix/X"_s + match.captured(1));
}

QString waylandSocket(const QProcessEnvironment& environment) {
    QString name = environment.value(u"WAYLAND_DISPLAY"_s);
    if (name.isEmpty() || name.startsWith(u'/'))
        return name;
    return environment.value(u"XDG_RUNTIME_DIR"_s) + u'/' + name;
}

} // namespace

QString missingDisplayMessage(const QProcessEnvironment& environment) {
    if (!environment.value(u"QT_QPA_PLATFORM"_s).isEmpty())
        return QString();
    const QString wayland = waylandSocket(environment);
    if (!wayland.isEmpty() && QFileInfo::exists(wayland))
        return QString();
    const QString display = environment.value(u"DISPLAY"_s);
    QString reason;
    if (display.isEmpty())
        reason = u"no display is set (DISPLAY is empty)"_s;
    else if (localXServerMissing(display))
        reason = u"no X server is running on display "_s + display;
    else
        return QString();
    return u"tivora-designer: "_s + reason +
           u"; start it on a virtual display with \"xvfb-run -a tivora-designer\", or draw a "
           u"graph without one with \"tivora render GRAPH.TVX OUT.png\""_s;
}

} // namespace tivora
