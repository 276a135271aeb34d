// SPDX-License-Identifier: GPL-3.0-or-later
#include "x_readback.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>

namespace {

// One xprop call's "NAME(TYPE) = value" lines (windows: "NAME(WINDOW): value"), by property name.
QMap<QString, QString> parseProperties(const QByteArray &out)
{
    QMap<QString, QString> found;
    static const QRegularExpression line(R"(^(\w+)\(\w+\)(?: = |: )(.*)$)");
    for (const QByteArray &raw : out.split('\n')) {
        const QRegularExpressionMatch m = line.match(QString::fromUtf8(raw));
        if (m.hasMatch()) found.insert(m.captured(1), m.captured(2));
    }
    return found;
}

// A quoted xprop string: backslash escapes, octal for bytes it would not print.
QString unquoted(const QString &value)
{
    const QByteArray in = value.trimmed().toUtf8();
    if (in.size() < 2 || in.front() != '"' || in.back() != '"') return {};
    QByteArray out;
    for (qsizetype i = 1; i + 1 < in.size(); ++i) {
        if (in[i] != '\\' || i + 2 >= in.size()) {
            out += in[i];
            continue;
        }
        const char next = in[++i];
        if (next >= '0' && next <= '7') {
            int byte = 0, digits = 0;
            while (digits < 3 && i + 1 < in.size() && in[i] >= '0' && in[i] <= '7') {
                byte = byte * 8 + (in[i] - '0');
                ++i, ++digits;
            }
            --i;
            out += char(byte);
        } else {
            out += next == 'n' ? '\n' : next;
        }
    }
    return QString::fromUtf8(out);
}

QList<qint64> numbers(const QString &value)
{
    QList<qint64> found;
    static const QRegularExpression number(R"((0x[0-9a-fA-F]+|\d+))");
    for (auto it = number.globalMatch(value); it.hasNext();) {
        bool ok = false;
        const qint64 n = it.next().captured(1).toLongLong(&ok, 0);
        if (ok) found << n;
    }
    return found;
}

QStringList atoms(const QString &value)
{
    QStringList found;
    for (const QString &atom : value.split(',', Qt::SkipEmptyParts)) found << atom.trimmed();
    return found;
}

int xwininfoField(const QString &out, const QString &label)
{
    const QRegularExpression field(QRegularExpression::escape(label) + R"(:\s+(-?\d+))");
    return field.match(out).captured(1).toInt();
}

// The windows of an xprop line "_NET_CLIENT_LIST(WINDOW): window id # 0x400006, 0x40001a".
QList<XId> clientIds(const QByteArray &out)
{
    const QString value = parseProperties(out).value("_NET_CLIENT_LIST");
    QList<XId> ids;
    const qsizetype hash = value.indexOf('#');
    if (hash < 0) return ids;
    for (const qint64 id : numbers(value.mid(hash + 1))) ids << XId(id);
    return ids;
}

}  // namespace

QList<XId> XReadback::clients() const
{
    return clientIds(x_.run("xprop", {"-root", "_NET_CLIENT_LIST"}).out);
}

XWindow XReadback::properties(XId id) const
{
    XWindow w;
    const ToolResult props = x_.run("xprop",
                                    {"-id", QString::number(id), "_NET_WM_NAME", "_NET_WM_PID", "_NET_WM_WINDOW_TYPE",
                                     "_NET_WM_STATE", "WM_TRANSIENT_FOR", "_NET_FRAME_EXTENTS"});
    if (!props.ok()) return w;
    const QMap<QString, QString> p = parseProperties(props.out);
    w.id = id;
    w.name = unquoted(p.value("_NET_WM_NAME"));
    w.pid = numbers(p.value("_NET_WM_PID")).value(0);
    w.types = atoms(p.value("_NET_WM_WINDOW_TYPE"));
    w.states = atoms(p.value("_NET_WM_STATE"));
    const QString transient = p.value("WM_TRANSIENT_FOR");
    if (transient.contains('#')) w.transientFor = XId(numbers(transient.mid(transient.indexOf('#') + 1)).value(0));
    const QList<qint64> extents = numbers(p.value("_NET_FRAME_EXTENTS"));
    if (extents.size() == 4) w.frame = QMargins(int(extents[0]), int(extents[2]), int(extents[1]), int(extents[3]));
    return w;
}

XWindow XReadback::window(XId id) const
{
    XWindow w = properties(id);
    const ToolResult info = x_.run("xwininfo", {"-id", QString::number(id)});
    if (!w.id || !info.ok()) return XWindow{};
    const QString geometry = QString::fromUtf8(info.out);
    w.client = QRect(xwininfoField(geometry, "Absolute upper-left X"), xwininfoField(geometry, "Absolute upper-left Y"),
                     xwininfoField(geometry, "Width"), xwininfoField(geometry, "Height"));
    w.viewable = geometry.contains("Map State: IsViewable");
    return w;
}

QList<XWindow> XReadback::windowsOf(qint64 pid) const
{
    QList<XWindow> found;
    for (const XId id : clients()) {
        const XWindow w = window(id);
        if (w.id && w.pid == pid) found << w;
    }
    return found;
}

QString XReadback::xdotoolName(XId id) const
{
    const ToolResult r = x_.run("xdotool", {"getwindowname", QString::number(id)});
    QByteArray name = r.out;
    if (name.endsWith('\n')) name.chop(1);
    return r.ok() ? QString::fromUtf8(name) : QString();
}

QRect XReadback::workArea() const
{
    // One rectangle per desktop; the first is the one in use here.
    const QList<qint64> n =
        numbers(parseProperties(x_.run("xprop", {"-root", "_NET_WORKAREA"}).out).value("_NET_WORKAREA"));
    if (n.size() < 4) return {};
    return QRect(int(n[0]), int(n[1]), int(n[2]), int(n[3]));
}

QImage XReadback::screenshot() const
{
    const ToolResult r = x_.run("import", {"-silent", "-window", "root", "ppm:-"});
    QImage shot;
    if (r.ok()) shot.loadFromData(r.out, "PPM");
    return shot.convertToFormat(QImage::Format_RGB32);
}

ClientListWatch::ClientListWatch(const XSession &x)
{
    x.startBeside(spy_, "xprop", {"-root", "-spy", "_NET_CLIENT_LIST"});
}

ClientListWatch::~ClientListWatch()
{
    spy_.kill();
    spy_.waitForFinished(5000);
}

QList<XId> ClientListWatch::clients()
{
    // Everything announced so far; the last complete line is the list now.
    while (spy_.waitForReadyRead(0)) pending_ += spy_.readAllStandardOutput();
    pending_ += spy_.readAllStandardOutput();
    const qsizetype end = pending_.lastIndexOf('\n');
    if (end >= 0) {
        const qsizetype start = end > 0 ? pending_.lastIndexOf('\n', end - 1) + 1 : 0;
        clients_ = clientIds(pending_.mid(start, end - start));
        pending_.remove(0, end + 1);
    }
    return clients_;
}

QString keepScreenshot(const QImage &shot, const QString &name)
{
    QDir().mkpath("realwindow-shots");
    const QString path = QDir::current().absoluteFilePath("realwindow-shots/" + name + ".png");
    shot.save(path);
    return path;
}
