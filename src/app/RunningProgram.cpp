#include "app/RunningProgram.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <cstdio>

namespace {

// Long enough for a large picture with seam carving on a slow machine.
constexpr int kAnswerWithinMs = 120000;

// The running program's answer to `method`; nothing when no program holds the name.
std::optional<QDBusMessage> call(const char* method) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return std::nullopt;
    QDBusMessage request =
        QDBusMessage::createMethodCall(kRunningProgramName, kRunningProgramPath, kRunningProgramName, method);
    request.setAutoStartService(false); // no program is started for the question
    QDBusMessage reply = bus.call(request, QDBus::Block, kAnswerWithinMs);
    if (reply.errorName() == "org.freedesktop.DBus.Error.NameHasNoOwner") return std::nullopt;
    return reply;
}

bool failed(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ErrorMessage) return false;
    std::fprintf(stderr, "velomira: %s\n", qPrintable(reply.errorMessage()));
    return true;
}

} // namespace

std::optional<int> AskRunningProgramForNext() {
    const std::optional<QDBusMessage> reply = call("Next");
    if (!reply) return std::nullopt;
    return failed(*reply) ? 1 : 0;
}

int PrintRunningProgramStatus() {
    const std::optional<QDBusMessage> reply = call("Status");
    if (!reply) {
        std::fputs("velomira: Velomira läuft nicht.\n", stderr);
        return 1;
    }
    if (failed(*reply)) return 1;
    const QVariantList values = reply->arguments();
    const QString next = values.value(1).toString();
    std::printf("Bild: %s\n%s\nBilder: %d\n", qPrintable(values.value(0).toString()),
                qPrintable(next.isEmpty() ? "kein Bildwechsel geplant" : "nächster Bildwechsel um " + next),
                values.value(2).toInt());
    return 0;
}
